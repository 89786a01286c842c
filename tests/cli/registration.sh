#!/usr/bin/env bash
# `vrkcfg register` and `unregister` against a registry file of their own: the library's path lands in
# InprocServer32 and goes again; a damaged registry, a library that does not load and extra words are refused.
set -u
vrkcfg="$1"
library=$(realpath -s "$2")
# The registry names the library by the file name it was loaded by (the SONAME link), in its resolved folder.
module=$(realpath "$(dirname "$2")")/$(basename "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VRK5420_REGISTRY_FILE="$work/registry"
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

"$vrkcfg" register >"$work/out" 2>"$work/err" || fail "register exit $?: $(cat "$work/err")"
grep -qxF "registered $library in $work/registry" "$work/out" || fail "register output: $(cat "$work/out")"
grep -A1 -F '{7AE70612-DF6C-4540-9955-C57CFD9A3562}\InprocServer32]' "$work/registry" | grep -qxF "@=\"$module\"" ||
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

# Four registrations at once, in separate processes, end as one registration does.
rm -f "$work/registry"
VRK5420_REGISTRY_FILE="$work/single" "$vrkcfg" register "$library" >/dev/null || fail "single registration"
pids=()
for i in 1 2 3 4; do
  "$vrkcfg" register "$library" >/dev/null 2>"$work/err$i" &
  pids+=($!)
done
for i in 0 1 2 3; do wait "${pids[$i]}" || fail "concurrent registration $i: $(cat "$work/err$((i + 1))")"; done
cmp -s "$work/registry" "$work/single" || fail "concurrent registrations differ from one"

# A registration killed at any moment leaves the old or the new file, never a damaged one.
for delay in 0.01 0.03 0.05 0.1; do
  "$vrkcfg" unregister "$library" >/dev/null 2>&1 &
  pid=$!
  sleep "$delay"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  "$vrkcfg" register "$library" >/dev/null 2>"$work/err" || fail "after a killed run ($delay s): $(cat "$work/err")"
done

if [ $failures -ne 0 ]; then
  echo "$failures registration check(s) failed"
  exit 1
fi
echo "all registration checks passed"
