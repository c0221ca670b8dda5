#!/usr/bin/env bash
# Makes the Debian package of a build tree in a scratch folder and checks it:
# the programs in /usr/games and nothing in /usr/bin, the copyright file and
# the changelog of this version where Debian looks for them, and lintian
# --pedantic with no error, no warning and no hardening the programs lack.
#
#   tests/pkg_deb.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/glim-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps.sh installs it)"

# gzip instead of xz: the same package, made faster.
(cd "$build" && cpack -G DEB -B "$work" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip) >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/*.deb)
[ -f "$deb" ] || fail "no package made"
dpkg-deb -x "$deb" "$work/root"
root=$work/root

[ -x "$root/usr/games/glimmerhold-term" ] || fail "/usr/games/glimmerhold-term is missing"
if [ -x "$build/app/qt/glimmerhold" ]; then
  [ -x "$root/usr/games/glimmerhold" ] || fail "/usr/games/glimmerhold is missing"
fi
[ ! -e "$root/usr/bin" ] || fail "the package has /usr/bin: $(ls "$root/usr/bin")"
[ -f "$root/usr/share/glimmerhold/glimtext.wdt" ] || fail "the game folder is missing"

doc=$root/usr/share/doc/glimmerhold
head -1 "$doc/copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
  fail "the copyright file is not machine-readable"
version=$(dpkg-deb -f "$deb" Version)
zcat "$doc/changelog.gz" | head -1 | grep -q "^glimmerhold ($version) " ||
  fail "the changelog's last entry is not version $version: $(zcat "$doc/changelog.gz" | head -1)"

# The game folder is found from /usr/games as from bin/.
printf 'l\n' | "$root/usr/games/glimmerhold-term" --virtual-clock --silent --no-splash >"$work/play.txt" 2>&1
grep -q "what shall we do now?" "$work/play.txt" || { cat "$work/play.txt"; fail "the packaged program did not play"; }

lintian --pedantic --display-info --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
grep -v "root privileges" "$work/lintian.txt" || true
grep -q "^[EW]: " "$work/lintian.txt" && fail "lintian reports errors or warnings"
# Only a hint itself counts, not the note that an override went unused: an
# optimised build has fortified calls that lintian sees, a sanitizer build
# has none, and the override serves the second.
grep -qE "^[EWIP]: [^ ]+: hardening-no-" "$work/lintian.txt" && fail "the programs lack hardening"
# Fortification is overridden for lintian where it cannot see it in these
# programs (see packaging/glimmerhold.lintian-overrides): the build says it.
if grep -qx "CMAKE_BUILD_TYPE:STRING=\(Release\|RelWithDebInfo\|MinSizeRel\)" "$build/CMakeCache.txt" &&
  grep -qx "GLIM_HARDEN:BOOL=ON" "$build/CMakeCache.txt"; then
  for src in app/term/main.cpp app/term/LineEditor.cpp shell/GameFolder.cpp; do
    python3 - "$build/compile_commands.json" "$src" <<'PY' || fail "$src is not compiled with -D_FORTIFY_SOURCE=2"
import json, sys
entries = [e for e in json.load(open(sys.argv[1])) if e["file"].endswith("/" + sys.argv[2])]
sys.exit(0 if entries and all("-D_FORTIFY_SOURCE=2" in e["command"] for e in entries) else 1)
PY
  done
fi
echo "package checked: $(basename "$deb")"
