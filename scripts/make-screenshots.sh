#!/usr/bin/env bash
# Regenerates the screenshots of the user's guide in docs/images/: builds tev-make-screenshots
# and runs it on a fresh temporary client folder with sample items. Commit the result.
#   scripts/make-screenshots.sh [BUILD_DIR]        (default: build)
# The pictures are taken on a virtual X display when xvfb-run is present (Debian: apt-get install
# xvfb), which draws exactly as a desktop does; without it the tool falls back to Qt's offscreen
# platform. Japanese text needs the Noto CJK font (fonts-noto-cjk, see scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
output=$root/docs/images

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target tev-make-screenshots tev_resources -j"$(nproc 2>/dev/null || echo 2)"
mkdir -p "$output"

tool=("$build/bin/tev-make-screenshots")
shoot() {
  if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1600x1000x24' "${tool[@]}" "$@" "$output" "$root/resources"
  else
    QT_QPA_PLATFORM=offscreen "${tool[@]}" "$@" "$output" "$root/resources"
  fi
}
command -v xvfb-run >/dev/null \
  || echo "make-screenshots: xvfb-run not found, drawing offscreen (apt-get install xvfb for the real look)" >&2
shoot
# The ledger screen once more at a desktop scale of 150 % (ledger-150.png).
QT_SCALE_FACTOR=1.5 shoot --ledger-only ledger-150
