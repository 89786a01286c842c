#!/usr/bin/env bash
# `vrkcfg register` and `unregister` against a registry file of their own: the library's path lands in
# InprocServer32 and goes again; a damaged registry, a library that does not load and extra words are refused.
set -u
vrkcfg="$1"
library=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VRK5420_REGISTRY_FILE="$work/registry"
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

"$vrkcfg" register >"$work/out" 2>"$work/err" || fail "register exit $?: $(cat "$work/err")"
grep -qxF "registered $library in $work/registry" "$work/out" || fail "register output: $(cat "$work/out")"
grep -A1 -F '{7AE70612-DF6C-4540-9955-C57CFD9A3562}\InprocServer32]' "$work/registry" | grep -qxF "@=\"$library\"" ||
  fail "InprocServer32 of the converter"
"$vrkcfg" unregister "$library" >"$work/out" 2>"$work/err" || fail "unregister exit $?: $(cat "$work/err")"
grep -q 'InprocServer32' "$work/registry" && fail "unregister left the classes"

echo damaged >"$work/registry"
"$vrkcfg" register "$library" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "damaged registry exit code"
grep -qF "$work/registry: the registry file is damaged (line 1:" "$work/err" || fail "damaged: $(cat "$work/err")"
[ "$(cat "$work/registry")" = damaged ] || fail "damaged registry was changed"

"$vrkcfg" register "$work/none.so" >"$work/out" 2>"$work/err"
[ $? -eq 1 ] && grep -qF "$work/none.so: the library cannot be loaded" "$work/err" || fail "missing library"
"$vrkcfg" unregister a b >"$work/out" 2>"$work/err"
[ $? -eq 2 ] && grep -qF "unregister takes at most one LIBRARY" "$work/err" || fail "extra words"

if [ $failures -ne 0 ]; then
  echo "$failures registration check(s) failed"
  exit 1
fi
echo "all registration checks passed"
