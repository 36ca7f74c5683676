#!/usr/bin/env bash
# Sets Kelvarix up to show the demo on a machine that has no settings yet: writes a settings file
# beside the editor whose game folder is the demo's, and imports the demo level as a project.
# A settings file that exists is never touched.
#   scripts/prepare-demo.sh [BUILD_DIR]     (default: build, after it was built)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${1:-build}"
bin="$build_dir/bin"
settings="$bin/Kelvarix.ini"
demo="$build_dir/demo"

[ -e "$settings" ] && exit 0

if [ ! -f "$demo/DemoStation.gob" ] || [ ! -d "$demo/game" ]; then
  echo "prepare-demo: no demo content in $demo; build Kelvarix first" >&2
  exit 0
fi

game_dir="$(cd "$demo/game" && pwd)"
# noclobber: should a settings file appear meanwhile, it is kept and nothing is imported.
if ! (set -C; printf '[Directories]\r\nJKDir=%s\r\n' "$game_dir" >"$settings") 2>/dev/null; then
  exit 0
fi
if ! "$bin/kelvarix-tool" project import "$demo/DemoStation.gob" --program-dir "$bin" >/dev/null; then
  echo "prepare-demo: the demo level was not imported; open $demo/DemoStation.gob" \
       "with File > New project" >&2
fi
