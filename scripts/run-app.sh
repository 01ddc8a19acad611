#!/usr/bin/env bash
# Builds (installing what is missing) and starts TEV在庫管理.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/bin/tev-inventory "$@"
