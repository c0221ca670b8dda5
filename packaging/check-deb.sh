#!/usr/bin/env bash
# Checks the game's .deb with lintian, installs it into a fresh Debian 12 root
# made with debootstrap, plays the walkthrough there with the installed
# glimmerhold-term as a player who may not write to the installed game folder,
# starts the window as the desktop entry does, and purges the package. Needs
# root and Debian's package archive.
#
#   packaging/check-deb.sh PACKAGE.deb [ROOT_DIR]
#
# ROOT_DIR (default: a new folder under /tmp) is made with debootstrap when
# it does not hold a system yet; it is kept afterwards for a look around.
set -euo pipefail

deb=$(realpath "$1")
root=${2:-$(mktemp -d /tmp/glim-deb12.XXXXXX)}
src=$(cd "$(dirname "$0")/.." && pwd)
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot)"
if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm into $root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -20 "$root.debootstrap.log"; fail "debootstrap"; }
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT

echo "== the package"
dpkg-deb -f "$deb" Package Version Section Depends Recommends
if command -v lintian >/dev/null; then
  lintian --pedantic --display-info --tag-display-limit 0 "$deb" 2>&1 | grep -v "root privileges" || true
  lintian --pedantic --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports errors or warnings"
fi
# A root kept from an earlier check may still have the game: start clean.
if chroot "$root" dpkg -s glimmerhold >/dev/null 2>&1; then
  chroot "$root" sh -c 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq glimmerhold' >/dev/null 2>&1 ||
    fail "purging the earlier package"
fi
rm -rf "$root/home/player/.local/share/glimmerhold"
cp "$deb" "$root/tmp/glimmerhold.deb"
chroot "$root" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/glimmerhold.deb' \
  >"$root/tmp/install.log" 2>&1 || { tail -30 "$root/tmp/install.log"; fail "apt-get install"; }
chroot "$root" dpkg -s glimmerhold | grep -qx "Status: install ok installed" || fail "not installed"
chroot "$root" sh -c 'ldd /usr/games/glimmerhold-term /usr/games/glimmerhold' | grep "not found" &&
  fail "a library the programs need is not installed"

echo "== the walkthrough, played by a player"
chroot "$root" sh -c 'id player >/dev/null 2>&1 || useradd -m player'
# The player's login shell: /etc/profile puts /usr/games on the PATH.
as_player() { chroot --userspec=player:player "$root" env -i HOME=/home/player TERM=dumb sh -lc "$1"; }
grep -v '^#' "$src/tests/walkthrough/win.txt" | grep -v '^$' >"$root/tmp/walkthrough.txt"
printf ':save won\n' >>"$root/tmp/walkthrough.txt"
as_player 'cd /tmp && glimmerhold-term --virtual-clock --silent --no-splash < /tmp/walkthrough.txt' \
  >"$root/tmp/walkthrough.out" 2>&1 || fail "glimmerhold-term exited with $?"
out=$root/tmp/walkthrough.out
grep -q "Unable to load" "$out" && fail "the installed game folder was not found"
grep -q "you are dead TRY AGAIN" "$out" && fail "the player died on the way"
grep -q "Well done now you have the wendle staff" "$out" || fail "the walkthrough did not win the staff"
[ -f "$root/home/player/.local/share/glimmerhold/won.gam" ] || fail "the saved game is not in the player's data folder"
echo "walkthrough won: $(wc -l <"$root/tmp/walkthrough.txt") commands, $(wc -l <"$out") lines printed"
echo "saved game: $(ls -l "$root/home/player/.local/share/glimmerhold/won.gam")"

echo "== the desktop entry's command, on a virtual display"
chroot "$root" sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth x11-apps' \
  >>"$root/tmp/install.log" 2>&1 || fail "installing Xvfb"
# The window must still be open after some seconds; the screen is kept in
# /tmp/screen.xwd of the root.
as_player '
  cd /tmp
  exe=$(sed -n "s/^Exec=//p" /usr/share/applications/org.glimmerhold.Glimmerhold.desktop)
  Xvfb :7 -screen 0 1024x768x24 >/dev/null 2>&1 & xvfb=$!
  sleep 1
  DISPLAY=:7 timeout 8 $exe >/tmp/window.log 2>&1 & game=$!
  sleep 6
  DISPLAY=:7 xwd -root -silent >/tmp/screen.xwd
  wait $game; rc=$?
  kill $xvfb
  exit $rc' && fail "the window closed by itself" || [ $? -eq 124 ] || fail "the window did not start"
echo "the window ran; its screen is in $root/tmp/screen.xwd"

echo "== purge"
chroot "$root" dpkg -L glimmerhold >"$root/tmp/files.txt"
chroot "$root" sh -c 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq glimmerhold' >>"$root/tmp/install.log" 2>&1 ||
  fail "apt-get purge"
chroot "$root" dpkg -s glimmerhold >/dev/null 2>&1 && fail "still installed after the purge"
while IFS= read -r f; do
  if [ -f "$root$f" ]; then fail "left after the purge: $f"; fi
done <"$root/tmp/files.txt"
for d in /usr/share/glimmerhold /usr/share/doc/glimmerhold; do
  [ ! -e "$root$d" ] || fail "left after the purge: $d"
done
[ -f "$root/home/player/.local/share/glimmerhold/won.gam" ] || fail "the purge took the player's saved game"
echo "purged: no file of the package is left; the player's saved game is kept"
echo "package checked in $root"
