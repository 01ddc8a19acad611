#!/bin/bash
# Times our ledger workbook output, workbook reading and filter scan side by side with openpyxl
# and grep on the same data, prints the table and exits 1 when a promised ratio is not met:
#   ledger workbook output  ≥ 10 × faster than openpyxl (normal mode) writing the same cells
#   workbook reading        ≥ 10 × faster than openpyxl (normal mode) reading the same file
#   filter scan             at most 5 × the time of grep -c over the same ledger file
# openpyxl's write_only and read_only modes are timed and shown as well.
# BUILD_DIR chooses the build tree (default: build, beside this folder); RUNS the number of
# runs of the short operations (median taken, default 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-5}
python=/usr/bin/python3
column=5        # the storage place
word=倉庫

if ! "$python" -c 'import openpyxl' 2>/dev/null; then
    echo "compare.sh: $python cannot import openpyxl (Debian package python3-openpyxl)" >&2
    exit 2
fi
say() { printf '%s\n' "$*" >&2; }

say "Building tev-bench-compare in $build"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target tev-bench-compare -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
tool=$build/bin/tev-bench-compare

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=$work/data
mkdir -p "$data/原本Excel"
cp "$root/resources/原本Excel/在庫出力台帳.xlsx" "$data/原本Excel/"
ledger=$data/Ma在庫品.dat

load_at_start=$(cut -d" " -f1 /proc/loadavg 2>/dev/null || echo "?")
say "Writing the ledger of 50 009 items"
"$tool" generate "$data" >/dev/null

say "Ledger workbook output, ours ($runs runs)"
line=$("$tool" output "$data" "$work/ours.xlsx" "$runs")
read -r ours_out items <<<"$line"
"$tool" cells "$work/ours.xlsx" "$work/cells.tsv"
say "Ledger workbook output, openpyxl (one run per mode)"
line=$("$python" "$root/bench/openpyxl_compare.py" write "$work/cells.tsv" "$work/openpyxl.xlsx")
read -r py_out py_cells <<<"$line"
line=$("$python" "$root/bench/openpyxl_compare.py" write "$work/cells.tsv" "$work/openpyxl-wo.xlsx" --write-only)
read -r py_out_wo _ <<<"$line"
rm -f "$work/openpyxl.xlsx" "$work/openpyxl-wo.xlsx"

say "Workbook reading, ours ($runs runs)"
line=$("$tool" read "$work/ours.xlsx" "$runs")
read -r ours_read cells <<<"$line"
say "Workbook reading, openpyxl (one run per mode)"
line=$("$python" "$root/bench/openpyxl_compare.py" read "$work/ours.xlsx")
read -r py_read py_read_cells <<<"$line"
line=$("$python" "$root/bench/openpyxl_compare.py" read "$work/ours.xlsx" --read-only)
read -r py_read_ro _ <<<"$line"

say "Filter scan and grep -c ($runs runs each)"
line=$("$tool" scan "$data" "$column" "$word" "$runs")
read -r ours_scan hits <<<"$line"
"$tool" cp932 "$word" "$work/word"
grep_times=()
for ((r = 0; r < runs; ++r)); do
    start=$EPOCHREALTIME
    grep_hits=$(LC_ALL=C grep -c -F -f "$work/word" "$ledger" || true)
    end=$EPOCHREALTIME
    grep_times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.6f", e - s }')")
done
grep_scan=$(printf '%s\n' "${grep_times[@]}" | sort -g |
            awk '{ t[NR] = $1 } END { print (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }')

# The table: ratio = theirs ÷ ours, so above 1 means ours is faster.
awk -v items="$items" -v cells="$cells" -v pycells="$py_cells" -v pyreadcells="$py_read_cells" \
    -v hits="$hits" -v grephits="$grep_hits" -v word="$word" -v column="$column" -v runs="$runs" \
    -v cores="$(nproc 2>/dev/null || echo "?")" -v load="$load_at_start" \
    -v o1="$ours_out" -v t1="$py_out" -v t1w="$py_out_wo" \
    -v o2="$ours_read" -v t2="$py_read" -v t2r="$py_read_ro" \
    -v o3="$ours_scan" -v t3="$grep_scan" '
function line(name, ours, theirs, need,    ratio, verdict) {
    ratio = theirs / ours
    verdict = need == "" ? "(shown)" : (ratio >= need ? "ok" : "NOT MET")
    printf "%-44s %10.3f %11.3f %8.2f  %-8s %s\n", name, ours, theirs, ratio,
           need == "" ? "" : ">= " need, verdict
    if (need != "" && ratio < need) failed = 1
}
BEGIN {
    printf "Ledger of %d items; workbook of %d cells; filter: column %d contains \"%s\"\n",
           items, cells, column, word
    printf "Machine: %s cores, load average %s at the start. Wall-clock seconds: ours and grep the\n", cores, load
    printf "median of %d runs, openpyxl one run per mode.\n\n", runs
    printf "%-44s %10s %11s %8s  %s\n", "operation", "ours (s)", "theirs (s)", "ratio", "promise"
    line("ledger workbook output / openpyxl", o1, t1, 10)
    line("ledger workbook output / openpyxl write_only", o1, t1w, "")
    line("workbook reading / openpyxl", o2, t2, 10)
    line("workbook reading / openpyxl read_only", o2, t2r, "")
    line("filter scan / grep -c", o3, t3, 0.2)
    printf "\nratio = theirs / ours; the filter scan may take at most 5 x grep (ratio >= 0.2).\n"
    printf "Cells written by openpyxl: %d, read by openpyxl: %d; records found: ours %d, grep %d.\n",
           pycells, pyreadcells, hits, grephits
    if (pycells != cells || pyreadcells != cells || hits != grephits) {
        print "The two sides did not handle the same data."
        failed = 1
    }
    exit failed
}'
