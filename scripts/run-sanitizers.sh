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
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
if ! (cd build-asan && ctest --output-on-failure --timeout 900 -j"$(nproc)"); then
  status=1
  # LeakSanitizer's own tracer now and then crashes while a test process ends ("LeakSanitizer has
  # encountered a fatal error", after the test itself passed): the failed tests run once more.
  if grep -q "LeakSanitizer has encountered a fatal error" build-asan/Testing/Temporary/LastTest.log; then
    echo "LeakSanitizer failed itself; running the failed tests once more"
    status=0
    (cd build-asan && ctest --rerun-failed --output-on-failure --timeout 900) || status=$?
  fi
fi
echo "sanitizer stage: build $((built - started))s, tests $(( $(date +%s) - built ))s"
exit $status
