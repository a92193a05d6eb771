#!/usr/bin/env bash
# Sorting a million rows; adding a tree of 100,000 files on tmpfs, removed after.
set -euo pipefail
cd "$(dirname "$0")/../.."
bench=build/bench/bench_filelist
scratch=/dev/shm/bmk-tree-$$
trap '"$bench" cleanup "$scratch"' EXIT

"$bench" sort 1000000
"$bench" prepare "$scratch" 100000
"$bench" addtree "$scratch"
