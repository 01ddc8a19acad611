#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer + UBSan) into build-fuzz/ and
# runs each for a bounded time over a scratch copy of its seed corpus fuzz/corpus/<target>/, so
# the repository stays as it is. A crash, a failed check, a leak or a slow input fails the script;
# the reproducer is kept in build-fuzz/artifacts/ and its path printed.
#   TEV_FUZZ_SECONDS  time per target (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh clang libclang-rt-dev

seconds="${TEV_FUZZ_SECONDS:-30}"
started=$(date +%s)
log_dir=build-fuzz
mkdir -p "$log_dir"

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTEV_BUILD_FUZZ=ON -DTEV_BUILD_TESTS=OFF -DTEV_BUILD_BENCH=OFF > "$log_dir/configure.log" 2>&1 \
  || { cat "$log_dir/configure.log"; exit 1; }
cmake --build build-fuzz -j"$(nproc)" --target tev_fuzzers
built=$(date +%s)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artifacts="$PWD/build-fuzz/artifacts"
mkdir -p "$artifacts"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"

failed=()
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  fuzzer="build-fuzz/bin/${target}_fuzzer"
  corpus="$scratch/$target"
  cp -r "$seeds" "$corpus"
  options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1
           -artifact_prefix="$artifacts/$target-")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  log="$scratch/$target.log"
  echo "== $target (${seconds}s, $(ls "$seeds" | wc -l) seeds)"
  if "$fuzzer" "${options[@]}" "$corpus" > "$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$log" | tail -n 2 || true
  else
    tail -n 60 "$log"
    reproducer=$(grep -oE '(Test unit|artifact) written to [^ ]+' "$log" | awk '{print $NF}' | tail -n 1)
    echo "!! $target failed; reproducer: ${reproducer:-none written}"
    echo "   rerun: $fuzzer ${reproducer:-}"
    failed+=("$target")
  fi
done

echo "fuzz stage: build $((built - started))s, runs $(( $(date +%s) - built ))s"
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi
