#!/usr/bin/env bash
# Builds Kelvarix with every test and runs them all.
#   ./test.sh              warnings as errors, then the whole suite
#   ./test.sh --sanitize   the same under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
kx_ensure_packages

build_dir=build
options=(-DKX_WERROR=ON -DKX_BUILD_TESTS=ON -DKX_BUILD_BENCH=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  options=(-DKX_WERROR=ON -DKX_BUILD_TESTS=ON -DKX_SANITIZE=ON -DKX_BUILD_BENCH=OFF
           -DCMAKE_BUILD_TYPE=Debug)
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
cmake --build "$build_dir" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
