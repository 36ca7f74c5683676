#!/usr/bin/env bash
# Builds Kelvarix and starts it. On the first run it also sets up the demo game folder and the
# "Demo Station" project, so there is a level to open without the game installed.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
kx_ensure_packages

cmake -S . -B build -G Ninja >/dev/null
# Only what the editor needs; ./test.sh builds the rest in the same folder.
cmake --build build -j "$(nproc)" --target kelvarix kelvarix-tool demo-content
scripts/prepare-demo.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kelvarix is built (build/bin/kelvarix), but there is no display to show its window on." >&2
  echo "Start it from a desktop session, or under a virtual one: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec build/bin/kelvarix "$@"
