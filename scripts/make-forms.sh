#!/bin/sh
# Rebuilds the shipped template and blank import forms in resources/ with tev-make-forms.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target tev-make-forms
"$build/bin/tev-make-forms" "$root/resources"
