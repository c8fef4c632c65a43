#!/usr/bin/env bash
# Runs the libFuzzer targets of build/fuzz.
#   scripts/fuzz.sh --smoke          every target for a few seconds (part of the test run)
#   scripts/fuzz.sh TARGET RUNS      one target for RUNS executions, corpus under build/fuzz-corpus
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
targets=$(find build/fuzz -maxdepth 1 -type f -name 'fuzz-*' -perm -u+x | sort)
if [ "${1:-}" = "--smoke" ]; then
    for t in $targets; do
        name=$(basename "$t")
        mkdir -p "build/fuzz-corpus/$name"
        seeds="fuzz/seeds/$name"
        [ -d "$seeds" ] || seeds=
        "$t" -max_total_time=10 -print_final_stats=0 "build/fuzz-corpus/$name" $seeds 2>&1 | tail -n 2
    done
    exit 0
fi
name="$1"; runs="$2"
mkdir -p "build/fuzz-corpus/$name"
seeds="fuzz/seeds/$name"
[ -d "$seeds" ] || seeds=
exec "build/fuzz/$name" -runs="$runs" -print_final_stats=1 "build/fuzz-corpus/$name" $seeds
