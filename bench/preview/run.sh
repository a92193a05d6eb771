#!/usr/bin/env bash
# Preview rebuilds, adding a million files from a list file, and a headless
# batch run against rename(2). Files are created on tmpfs and removed after.
set -euo pipefail
cd "$(dirname "$0")/../.."
bench=build/bench/bench_preview
scratch=/dev/shm/bmk-$$
trap '"$bench" cleanup "$scratch"' EXIT

"$bench" rebuild 100000
"$bench" rebuild 1000000
"$bench" prepare "$scratch" 1000000
"$bench" addlist "$scratch/list.txt"
"$bench" cleanup "$scratch"
"$bench" prepare "$scratch" 100000
"$bench" run "$scratch" 100000
