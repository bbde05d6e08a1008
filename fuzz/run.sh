#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each on its seed corpus (the test data, the
# sample documents and every input that once failed), with the limits the project
# holds them to: 2 s per input, 2 GB of memory. A finding stops the run, is written
# to OUT/crash-* and makes the script fail.
#   fuzz/run.sh FUZZ_BUILD_DIR SECONDS [OUT]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$1"
SECONDS_EACH="$2"
OUT="${3:-$(mktemp -d)}"
mkdir -p "$OUT"

declare -A SEEDS=(
    [fuzz_document]="$ROOT/fuzz/corpus/document $ROOT/fuzz/regressions/document"
    [fuzz_las]="$ROOT/tests/data/las $ROOT/fuzz/regressions/las"
    [fuzz_bmp]="$ROOT/data/LithImages $ROOT/fuzz/regressions/bmp"
    [fuzz_ascii]="$ROOT/fuzz/corpus/ascii $ROOT/fuzz/regressions/ascii"
    [fuzz_table]="$ROOT/fuzz/corpus/table $ROOT/fuzz/regressions/table"
)
for target in fuzz_document fuzz_las fuzz_bmp fuzz_ascii fuzz_table; do
    corpus="$OUT/$target-corpus"
    mkdir -p "$corpus"
    echo "fuzzing $target for ${SECONDS_EACH}s"
    # shellcheck disable=SC2086
    "$BUILD/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=2 -rss_limit_mb=2048 \
        -malloc_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$OUT/$target-" "$corpus" ${SEEDS[$target]} 2>"$OUT/$target.log" || {
        tail -n 40 "$OUT/$target.log"
        echo "fuzz: $target found a fault; the input is in $OUT" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$OUT/$target.log" || true
done
