#!/usr/bin/env bash
# Runs a libFuzzer binary for a bounded time (FUZZ_SECONDS, 60 by default; FUZZ_RUNS bounds the executions
# too when set) over its committed seeds: fuzz/corpus/<seeds> (the binary images directly in fuzz/corpus by
# default), with fuzz/<name>.dict as dictionary when it exists. New inputs go to fuzz-corpus/<fuzzer>/ at the top of
# the tree and findings to fuzz-corpus/findings/, both outside version control; the committed seeds are never
# changed.
set -euo pipefail
fuzzer=${1:?usage: fuzz/run.sh FUZZER_BINARY [SEED_DIRECTORY] [DICTIONARY]}
here=$(cd "$(dirname "$0")" && pwd)
seeds=${2:-$here/corpus}
dict=${3:-}
seconds=${FUZZ_SECONDS:-60}
name=$(basename "$fuzzer")
work="$here/../fuzz-corpus/$name"
findings="$here/../fuzz-corpus/findings/$name-"
mkdir -p "$work" "$(dirname "$findings")"
# An edit script stops after its last call, at most 24 bytes each: longer inputs only spend mutations on bytes
# that are never read.
max_len=8192
[[ "$name" == fuzz_edit_sequence ]] && max_len=600
extra=()
# A converter run touches some 20,000 features, and the entropic schedule's bookkeeping of their frequencies
# took a third of those targets' time; with the plain schedule the edit target ran 1.6 times as many inputs
# and reached the same coverage.
[[ "$name" == fuzz_edit_sequence || "$name" == fuzz_xml_document ]] && extra+=(-entropic=0)
[[ -n "$dict" ]] && extra+=(-dict="$dict")
[[ -n "${FUZZ_RUNS:-}" ]] && extra+=(-runs="$FUZZ_RUNS")
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=$max_len \
  -artifact_prefix="$findings" -print_final_stats=1 "${extra[@]}" "$work" "$seeds"
