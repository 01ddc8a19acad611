#!/bin/sh
# Rebuilds the shipped template and blank import forms and the status pictures in resources/
# with tev-make-forms and tev-make-pictures.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target tev-make-forms tev-make-pictures
"$build/bin/tev-make-forms" "$root/resources"
"$build/bin/tev-make-pictures" "$root/resources"
