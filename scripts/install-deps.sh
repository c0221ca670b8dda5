#!/usr/bin/env bash
# Installs every Debian package the game needs to build, run and test.
# Safe to run again: it installs only what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  libturbojpeg0-dev libjpeg62-turbo-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev flite1-dev qt6-multimedia-dev
  libsdl2-mixer-dev libchm-dev libedit-dev libxrandr-dev
  timgm6mb-soundfont fp-utils
  xvfb xauth imagemagick sox espeak-ng pulseaudio pulseaudio-utils openbox xdotool
  fonts-dejavu-core fonts-urw-base35 qt6-qpa-plugins
  dpkg-dev appstream desktop-file-utils groff-base debootstrap
  clang libclang-rt-14-dev clang-tidy clang-format lintian python3 ccache
  emscripten libstb-dev chromium fluidsynth opus-tools
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
