#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game: the desktop window
# when there is a display, the terminal game otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/app/qt/glimmerhold ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${1:-}" != "--term" ]; then
  exec build/app/qt/glimmerhold
fi
[ "${1:-}" = "--term" ] && shift
exec build/glimmerhold-term "$@"
