#!/usr/bin/env bash
# brenmark-batch against a plain rename(2) loop (the run) and `rename -n` (the
# dry run), on the same files and the same transformation (prefix "new_").
# Usage: bench/cli/run.sh [files] [rounds]   (from a built tree)
set -euo pipefail
cd "$(dirname "$0")/../.."
exec python3 bench/cli/bench_cli.py build "${1:-100000}" "${2:-5}"
