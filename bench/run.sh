#!/bin/sh
# Builds the benchmarks and runs them. Arguments go to the benchmark program, for example
#   bench/run.sh --benchmark_filter=FindItemNumber
# BUILD_DIR chooses the build tree (default: build, beside this folder).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DTEV_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tev_bench -j"$(nproc 2>/dev/null || echo 2)"
exec "$build/bin/tev_bench" "$@"
