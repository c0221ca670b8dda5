#!/usr/bin/env bash
# Builds the game for the browser into build-web/site/ and serves it.
#   scripts/web.sh              build, then serve on http://127.0.0.1:8080/
#   scripts/web.sh --port N     serve on port N instead
#   scripts/web.sh --build-only build only
# Installs Debian's emscripten, the stb headers, what renders the music
# (fluidsynth, opus-tools, the soundfont) and the page's faces (URW fonts)
# when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

port=8080
build_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) build_only=1 ;;
    --port)
      [ $# -ge 2 ] || { echo "web.sh: --port needs a number" >&2; exit 2; }
      port="$2"
      shift
      ;;
    --port=*) port="${1#--port=}" ;;
    -h | --help)
      sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    *)
      echo "web.sh: unknown option $1" >&2
      exit 2
      ;;
  esac
  shift
done
case "$port" in
  '' | *[!0-9]*) echo "web.sh: the port must be a number: $port" >&2; exit 2 ;;
esac
if [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "web.sh: the port must be between 1 and 65535: $port" >&2
  exit 2
fi

missing=()
for p in emscripten libstb-dev fluidsynth opus-tools timgm6mb-soundfont fonts-urw-base35 python3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Debian's emscripten runs its tools with the node on PATH and needs
# Debian's node modules; a node from elsewhere does not have them.
if [ "$(command -v node || true)" != /usr/bin/node ] || ! dpkg -S /usr/bin/node 2>/dev/null | grep -q '^nodejs:' ||
  ! dpkg-query -W -f='${Version}' nodejs 2>/dev/null | grep -qv nodesource; then
  export NODE_PATH=/usr/share/nodejs
fi

nice cmake --preset web >/dev/null
nice cmake --build --preset web --target glimmerhold-site
site="$PWD/build-web/site"
echo "Built $site (and build-web/glimmerhold-web.zip)"
[ "$build_only" -eq 1 ] && exit 0

echo "Serving Glimmerhold at http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
