#!/usr/bin/env bash
# Builds (installing what is missing) and runs the whole test suite offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
# The file-server tests share a folder through a private Samba server and a FUSE client; the
# program itself needs neither.
bash scripts/install-deps.sh samba smbnetfs fuse3 zbar-tools
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
