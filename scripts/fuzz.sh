#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz/) and runs each for a while, seeded from the corpus,
# our settings seeds and the regression inputs.
#   scripts/fuzz.sh [SECONDS [TARGET...]]   default 60 seconds, every target
# Each target's growing corpus is kept in build-fuzz/corpus/TARGET, its findings (crash-*,
# leak-*, timeout-*) in build-fuzz/findings/TARGET, its log in build-fuzz/logs/TARGET.log.
# Not part of ./test.sh: it needs clang (Debian's clang package brings libFuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(jkl gobdirectory mat cmp model settings)
corpus_dir=${KX_CORPUS_DIR:-../shared/corpus}
[ -d "$corpus_dir" ] || corpus_dir=/work/shared/corpus

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKX_FUZZ=ON -DKX_SANITIZE=ON \
      -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# The seeds of each target: the files of the kinds it reads.
seed_patterns() {
  case "$1" in
    jkl) echo "*.jkl" ;;
    gobdirectory) echo "*.gob *.goo" ;;
    mat) echo "*.mat" ;;
    cmp) echo "*.cmp" ;;
    model) echo "*.3do" ;;
    settings) echo "*.ini" ;;
  esac
}

# The longest input of each target: long enough for whole small levels, models and materials,
# short enough that a run is not spent on the few large seeds (those are cut to this length).
max_len() {
  case "$1" in
    jkl) echo 65536 ;;
    model) echo 32768 ;;
    cmp | settings) echo 4096 ;;
    *) echo 262144 ;;
  esac
}

# The settings target writes a file per input: keep that in memory where there is room.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings" build-fuzz/logs
  for pattern in $(seed_patterns "$target"); do
    find "$corpus_dir" fuzz/regressions fuzz/seeds -type f -iname "$pattern" \
         -exec cp -n {} "$corpus/" \; 2>/dev/null || true
  done
  echo "== fuzz_$target for $seconds s"
  status=0
  build-fuzz/bin/fuzz_"$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -max_len="$(max_len "$target")" -artifact_prefix="$findings/" \
      >"build-fuzz/logs/$target.log" 2>&1 || status=$?
  grep -E "^#[0-9]+.*(DONE|pulse)|^Done [0-9]+ runs|ERROR|SUMMARY" \
       "build-fuzz/logs/$target.log" | tail -3
  [ "$status" -eq 0 ] || echo "fuzz_$target stopped with status $status: see build-fuzz/logs/$target.log"
done
