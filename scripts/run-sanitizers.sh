#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer + UndefinedBehaviorSanitizer (gcc) into
# build-asan/ and runs the whole test suite there offscreen. Any sanitizer report fails the test
# that caused it. Leaks inside system libraries that the program cannot free (see
# scripts/lsan-suppressions.txt) are the only ones not reported.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

started=$(date +%s)
mkdir -p build-asan
# -O1 and line tables only (-g1) keep the build short and the reports exact (file and line);
# objects never mix with build/ (other flags).
flags="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DTEV_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  > build-asan/configure.log 2>&1 || { cat build-asan/configure.log; exit 1; }
cmake --build build-asan -j"$(nproc)"
built=$(date +%s)

export QT_QPA_PLATFORM=offscreen
# intercept_tls_get_addr=0: LeakSanitizer's tracer crashes at exit on the dynamic TLS of an unloaded
# Qt image plugin (a test that saves a JPEG) when it tracks dynamic TLS.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
(cd build-asan && ctest --output-on-failure --timeout 900 -j"$(nproc)") || status=$?
echo "sanitizer stage: build $((built - started))s, tests $(( $(date +%s) - built ))s"
exit $status
