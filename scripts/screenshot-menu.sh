#!/usr/bin/env bash
# Takes a picture of the main menu on a virtual X display: the program starts under Xvfb with a
# fresh temporary client folder, and the whole screen is saved as a PNG.
#   scripts/screenshot-menu.sh [OUTPUT.png]      (default: menu-screenshot.png)
# Needs xvfb-run (Debian package xvfb) and import (imagemagick). BUILD_DIR chooses the build
# tree (default: build); it is built first when the program is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
output=$(realpath -m "${1:-menu-screenshot.png}")
wait_seconds=${SCREENSHOT_WAIT:-4}

for tool in xvfb-run import; do
  command -v "$tool" >/dev/null || { echo "screenshot-menu: $tool is missing (apt-get install xvfb imagemagick)" >&2; exit 1; }
done
if [ ! -x "$build/bin/tev-inventory" ]; then
  cmake -S "$root" -B "$build" >/dev/null
  cmake --build "$build" --target tev-inventory tev_resources -j"$(nproc 2>/dev/null || echo 2)"
fi

client=$(mktemp -d)
trap 'rm -rf "$client"' EXIT

TEV_CLIENT_FOLDER="$client" QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1400x900x24' \
  bash -c '"$1" & app=$!; sleep "$2"; import -window root "$3"; status=$?; kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; exit $status' \
  screenshot "$build/bin/tev-inventory" "$wait_seconds" "$output"
echo "$output"
