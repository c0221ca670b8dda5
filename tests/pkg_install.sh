#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the installed game:
# every file in its place, the desktop entry and the metainfo valid, the
# manual pages readable, and glimmerhold-term playing from the installed
# tree and from a portable copy, with saved games where the player may write.
#
#   tests/pkg_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/glim-pkg.XXXXXX")
cleanup() { chmod -R u+w "$work" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
game=$prefix/share/glimmerhold
app=org.glimmerhold.Glimmerhold

# The programs, the desktop files and the manual pages.
for f in bin/glimmerhold-term \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/man/man6/glimmerhold.6.gz share/man/man6/glimmerhold-term.6.gz; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
if [ -x "$build/app/qt/glimmerhold" ]; then
  [ -x "$prefix/bin/glimmerhold" ] || fail "the desktop program is built but not installed"
fi
[ -x "$prefix/bin/glimmerhold-term" ] || fail "glimmerhold-term is not executable"

# Every file of data/ is in the game folder, unchanged; the icons go to the
# icon theme instead, in every size there is.
while IFS= read -r -d '' f; do
  rel=${f#"$src/data/"}
  case $rel in
    icons/*) continue ;;
  esac
  cmp -s "$f" "$game/$rel" || fail "game folder: $rel is missing or differs"
done < <(find "$src/data" -type f ! -name '.*' ! -name '*~' -print0)
[ ! -e "$game/icons" ] || fail "the icons are in the game folder"
while IFS= read -r -d '' f; do
  rel=${f#"$src/data/icons/"}
  cmp -s "$f" "$prefix/share/icons/$rel" || fail "icon $rel is missing or differs"
done < <(find "$src/data/icons" -type f -name 'glimmerhold.*' -print0 2>/dev/null)

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "metainfo"; }
grep -q "^Exec=glimmerhold$" "$prefix/share/applications/$app.desktop" || fail "desktop entry does not start glimmerhold"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$prefix/share/metainfo/$app.metainfo.xml" ||
  fail "metainfo does not name the desktop entry"
for page in glimmerhold glimmerhold-term; do
  warnings=$(zcat "$prefix/share/man/man6/$page.6.gz" | groff -man -Tutf8 -ww -z 2>&1) || fail "man page $page"
  [ -z "$warnings" ] || fail "man page $page: $warnings"
  zcat "$prefix/share/man/man6/$page.6.gz" | grep -q "^\.SH NAME" || fail "man page $page has no NAME"
done

# Until the world is shipped, the plain test world stands in for it, so the
# programs are still played from the installed tree.
if [ ! -f "$game/glimtext.wdt" ]; then
  echo "note: data/ has no world yet; playing the example test world"
  cp "$src/tests/fixtures/example/glimtext.wdt" "$src/tests/fixtures/example/glimroom.dat" "$game/"
  mkdir -p "$game/images"
  [ -f "$game/images/room0.jpg" ] || cp "$src/tests/fixtures/example/images/room0.jpg" "$game/images/"
fi

# Plays the installed game from an unrelated folder: the lines on stdin.
play() {
  local exe=$1 out=$2
  shift 2
  (cd "$work/elsewhere" && "$@" "$exe" --virtual-clock --silent --no-splash) >"$out" 2>&1
  grep -q "Unable to load" "$out" && { cat "$out"; fail "$exe did not find its game folder"; }
  grep -q "what shall we do now?" "$out" || { cat "$out"; fail "$exe did not show the first room"; }
  if grep -q "^> " "$out"; then cat "$out"; fail "$exe prompted on a pipe"; fi
  return 0
}
mkdir -p "$work/elsewhere"
chmod 755 "$work"

# 1. Installed, the game folder writable: the installed folder is the game
#    folder, and a saved game named without a folder goes there.
printf 'l\n:save first\n' | play "$prefix/bin/glimmerhold-term" "$work/first.txt" env XDG_DATA_HOME="$work/xdg1"
[ -f "$game/first.gam" ] || { cat "$work/first.txt"; fail "saved game not in the writable game folder"; }
rm -f "$game/first.gam"

# 2. Installed for everyone, the game folder not writable: saved games go to
#    the player's data folder and load from there.
home=$work/home
mkdir -p "$home"
as_player=(env HOME="$home" XDG_DATA_HOME="$home/data")
if [ "$(id -u)" -eq 0 ]; then
  # Root may write anywhere: play as nobody.
  chown -R 65534:65534 "$home" "$work/elsewhere"
  chmod -R go+rX "$prefix"
  as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups "${as_player[@]}")
else
  chmod -R a-w "$game"
fi
printf 'l\n:save second\n:new\n:load second\n' |
  play "$prefix/bin/glimmerhold-term" "$work/second.txt" "${as_player[@]}"
[ -f "$home/data/glimmerhold/second.gam" ] || { cat "$work/second.txt"; fail "saved game not in the player's data folder"; }
[ ! -e "$game/second.gam" ] || fail "saved game written into the installed game folder"
grep -q "File not found" "$work/second.txt" && { cat "$work/second.txt"; fail "the saved game did not load"; }
grep -q "^Loading .*/data/glimmerhold/second.gam$" "$work/second.txt" ||
  { cat "$work/second.txt"; fail "the load did not read the player's saved game"; }
chmod -R u+w "$game"

# 3. A portable copy, unpacked anywhere: the program with its data folder.
portable=$work/portable
mkdir -p "$portable"
cp "$prefix/bin/glimmerhold-term" "$portable/"
cp -r "$game" "$portable/data"
printf 'l\n:save third\n' | play "$portable/glimmerhold-term" "$work/third.txt" env XDG_DATA_HOME="$work/xdg3"
[ -f "$portable/data/third.gam" ] || { cat "$work/third.txt"; fail "portable copy: saved game not beside the game"; }

echo "installed game checked"
