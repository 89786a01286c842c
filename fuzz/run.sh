#!/usr/bin/env bash
# Runs a libFuzzer binary for a bounded time (FUZZ_SECONDS, 60 by default) over the committed seeds in
# fuzz/corpus. New inputs go to fuzz-corpus/ at the top of the tree and findings to fuzz-corpus/findings/, both
# outside version control; the committed seeds are never changed.
set -euo pipefail
fuzzer=${1:?usage: fuzz/run.sh FUZZER_BINARY}
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$fuzzer")
work="$here/../fuzz-corpus/$name"
findings="$here/../fuzz-corpus/findings/"
mkdir -p "$work" "$findings"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$findings" -print_final_stats=1 "$work" "$here/corpus"
