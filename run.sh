#!/usr/bin/env bash
# Builds Kelvarix and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
kx_ensure_packages

cmake -S . -B build -G Ninja -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"
scripts/prepare-demo.sh build
if [ -x build/bin/kelvarix ]; then
  exec build/bin/kelvarix "$@"
fi
exec build/bin/kelvarix-tool --help
