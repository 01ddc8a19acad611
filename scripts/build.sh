#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" > build-configure.log 2>&1 \
  || { cat build-configure.log; exit 1; }
rm -f build-configure.log
cmake --build build -j"$(nproc)"
