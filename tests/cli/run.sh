#!/usr/bin/env bash
# End-to-end checks of the vrkcfg tool: payload on standard output, diagnostics on standard error, exit codes
# 0 (success), 1 (configuration error) and 2 (usage error). The groups sourced at the end share its helpers and
# the files it prepares.
set -u
vrkcfg=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect NAME EXIT STDOUT STDERR -- COMMAND...: STDOUT exact, ~SUBSTRING, or - for anything; STDERR a substring,
# "" for none, or -. Every command runs under timeout, so that a read that blocks fails instead of hanging.
expect() {
  local name=$1 want_rc=$2 want_out=$3 want_err=$4
  shift 5
  timeout 60 "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  local ok=1
  [ "$rc" -eq "$want_rc" ] || ok=0
  case "$want_out" in
    -) ;;
    "~"*) grep -qF -- "${want_out#"~"}" "$work/out" || ok=0 ;;
    *) [ "$(cat "$work/out")" = "$want_out" ] || ok=0 ;;
  esac
  if [ -z "$want_err" ]; then
    [ -s "$work/err" ] && ok=0
  elif [ "$want_err" != "-" ]; then
    grep -qF -- "$want_err" "$work/err" || ok=0
  fi
  if [ $ok -eq 1 ]; then
    echo "ok   $name"
  else
    echo "FAIL $name (exit $rc)"; echo "--- stdout"; cat "$work/out"; echo "--- stderr"; cat "$work/err"
    failures=$((failures + 1))
  fi
}

fail() { echo "FAIL $1"; failures=$((failures + 1)); }

expect help 0 "~usage: vrkcfg" "" -- "$vrkcfg" --help
expect no-command 2 "" "usage: vrkcfg" -- "$vrkcfg"
expect unknown-command 2 "" "did you mean 'get'" -- "$vrkcfg" gte x y
expect new 0 - - -- "$vrkcfg" new -o "$work/cfg.xml"
head -c 45 "$work/cfg.xml" | grep -q 'encoding="windows-1251"' || { echo "FAIL new output"; failures=$((failures + 1)); }
expect get 0 "65000" "" -- "$vrkcfg" get "$work/cfg.xml" 'Data_transfer_settings\param_max_int'
expect get-stdin 0 "1" "" -- sh -c "\"$vrkcfg\" get - 'Cfg\\DeviceType' < \"$work/cfg.xml\""
expect set 0 - - -- "$vrkcfg" set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' 10 -o "$work/cfg2.xml"
expect get-after-set 0 "10" "" -- "$vrkcfg" get "$work/cfg2.xml" 'Region_settings\Hysteresis_percent'
expect set-out-of-range 1 "" "Incorrect value range (95)" -- \
  "$vrkcfg" set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' 95
expect set-russian 1 "" "Неверный диапазон значения (95)" -- \
  "$vrkcfg" --lang ru set "$work/cfg.xml" 'Region_settings\Hysteresis_percent' 95
expect unknown-path 1 "" "Invalid path to the attribute" -- "$vrkcfg" get "$work/cfg.xml" 'Cfg\Nothing'
expect bad-index 2 "" "bad index" -- "$vrkcfg" get "$work/cfg.xml" 'TachoChannels\TachoChannel\number' '#x'
expect missing-file 1 "" "cannot be read" -- "$vrkcfg" get "$work/none.xml" 'Cfg\DeviceType'
printf '<VRK_Device><Cfg></VRK_Device>' >"$work/bad.xml"
expect malformed 1 "" "XML document loading error" -- "$vrkcfg" get "$work/bad.xml" 'Cfg\DeviceType'
expect ranges 0 - - -- "$vrkcfg" ranges "$work/cfg.xml" 'Header\baudrate'
grep -q "^  115200" "$work/out" || { echo "FAIL ranges output"; failures=$((failures + 1)); }

expect check-ok 0 "OK" "" -- "$vrkcfg" check "$work/cfg.xml"
sed 's/Hysteresis_percent="5"/Hysteresis_percent="95"/' "$work/cfg.xml" >"$work/rule.xml"
expect check-value 1 "" "Incorrect value range (95)" -- "$vrkcfg" check "$work/rule.xml"
expect arrange 0 - - -- "$vrkcfg" arrange "$work/cfg.xml" 'VibroChannels\VibroChannel\Linear\' 0 -o "$work/cfg3.xml"

expect imperial-units 0 - - -- "$vrkcfg" --imperial ranges "$work/cfg.xml" 'VibroChannels\VibroChannel\unit' '#1'
grep -q "^  102  in/s" "$work/out" || { echo "FAIL imperial unit names"; failures=$((failures + 1)); }
corpus="$(cd "$(dirname "$0")/../../fuzz/corpus" && pwd)"
expect inspect 0 - "" -- "$vrkcfg" inspect "$corpus/v7_minimal.bin"
head -c 50 "$corpus/v7_full.bin" >"$work/cut.bin"
expect inspect-truncated 1 - "cut.bin: " -- "$vrkcfg" inspect "$work/cut.bin"
expect inspect-usage 2 "" "usage" -- "$vrkcfg" inspect

expect to-bin 0 - - -- "$vrkcfg" bin "$work/cfg.xml" -o "$work/cfg.bin"
grep -q "^CRC-32 0x" "$work/out" || { echo "FAIL bin prints the CRC"; failures=$((failures + 1)); }
expect inspect-own-image 0 - "" -- "$vrkcfg" inspect "$work/cfg.bin"
expect to-xml 0 - - -- "$vrkcfg" xml "$work/cfg.bin" -o "$work/back.xml"
expect back-value 0 "65000" "" -- "$vrkcfg" get "$work/back.xml" 'Data_transfer_settings\param_max_int'
expect xml-of-garbage 1 "" "<stdin>: " -- sh -c "head -c 40 \"$work/cfg.xml\" | \"$vrkcfg\" xml -"

# Reports and comparisons. The default configuration's base interval is one of the values an image does not carry.
expect bin-summary 0 - "cfg.xml: the image does not carry" -- "$vrkcfg" bin "$work/cfg.xml" -o "$work/cfg.bin"
expect bin-report 0 - - -- "$vrkcfg" bin "$work/cfg.xml" -o "$work/cfg.bin" --report
grep -qF 'Region_settings\base_interval_s: 60 -> 0: not carried' "$work/out" || { echo "FAIL bin report"; failures=$((failures + 1)); }
expect bin-report-json 0 - - -- "$vrkcfg" bin "$work/cfg.xml" -o "$work/cfg.bin" --report --json
grep -q '^{"crc32":"0x[0-9A-F]*","summary":"the image does not carry' "$work/out" || { echo "FAIL bin report json"; failures=$((failures + 1)); }
# Test parameters refer to slave outputs, which the image leaves out while Modbus is not used: the image is
# written, and the tool says why it does not load again.
rm -f "$work/unloadable.bin"
expect bin-not-loading-again 1 - "the image does not load again: The node" -- \
  "$vrkcfg" bin "$corpus/xml/v6_test_parameters_without_modbus.xml" -o "$work/unloadable.bin"
[ -s "$work/unloadable.bin" ] || { echo "FAIL bin writes an image that does not load again"; failures=$((failures + 1)); }
expect diff-same 0 "" "" -- "$vrkcfg" diff "$work/cfg.xml" "$work/cfg.xml"
expect diff-set 1 'Region_settings\Hysteresis_percent: 5 -> 10' "" -- "$vrkcfg" diff "$work/cfg.xml" "$work/cfg2.xml"
expect diff-image 1 - "" -- "$vrkcfg" diff "$work/cfg.xml" "$work/cfg.bin"
grep -qxF 'Region_settings\base_interval_s: 60 -> 0' "$work/out" || { echo "FAIL diff image"; failures=$((failures + 1)); }
expect diff-json 1 '{"equal":false,"differences":[{"path":"Region_settings\\Hysteresis_percent","indexes":[],"before":"5","after":"10"}]}' "" -- \
  "$vrkcfg" diff --json "$work/cfg.xml" "$work/cfg2.xml"
expect diff-bad-second 2 "" "bad.xml: XML document loading error" -- "$vrkcfg" diff "$work/cfg.xml" "$work/bad.xml"
expect diff-missing 2 "" "none.xml: cannot be read" -- "$vrkcfg" diff "$work/none.xml" "$work/cfg.xml"
expect diff-usage 2 "" "usage: vrkcfg diff A B" -- "$vrkcfg" diff "$work/cfg.xml"
expect get-json 0 '{"path":"Data_transfer_settings\\param_max_int","indexes":[],"value":"65000"}' "" -- \
  "$vrkcfg" get "$work/cfg.xml" 'Data_transfer_settings\param_max_int' --json
expect ranges-json 0 - "" -- "$vrkcfg" ranges --json "$work/cfg.xml" 'Header\baudrate'
grep -q '"dictionary":\[{"value":"' "$work/out" || { echo "FAIL ranges json"; failures=$((failures + 1)); }
expect check-json 0 '{"file":"'"$work"'/cfg.xml","ok":true}' "" -- "$vrkcfg" check --json "$work/cfg.xml"
expect unknown-flag 2 "" "unknown option '--jsn'" -- "$vrkcfg" get --jsn "$work/cfg.xml" 'Cfg\DeviceType'

# Older configurations: images of every version and a version-1 document are upgraded to version 7.
expect xml-of-v7-image 0 - "" -- "$vrkcfg" xml "$work/cfg.bin" -o "$work/back.xml"
for version in 1 2 3 6; do
  expect "xml-of-v$version-image" 0 - "loadable_v$version""_full.bin: upgraded from version $version" -- \
    "$vrkcfg" xml "$corpus/loadable_v$version""_full.bin" -o "$work/v$version.xml"
  expect "v$version-image-is-version-7" 0 "7" "" -- "$vrkcfg" get "$work/v$version.xml" 'VersionInfo\version'
  expect "upgrade-v$version-image" 0 - "upgraded from version $version: " -- \
    "$vrkcfg" upgrade "$corpus/loadable_v$version""_full.bin" --report -o "$work/u$version.xml"
  grep -qF 'VersionInfo\version: '"$version"' -> 7: changed by the upgrade' "$work/out" ||
    { echo "FAIL upgrade report v$version"; failures=$((failures + 1)); }
  expect "upgraded-v$version-same-as-xml" 0 "" "" -- "$vrkcfg" diff "$work/v$version.xml" "$work/u$version.xml"
done
sed -e 's/version="7"/version="1"/' -e 's/<Relay>.*<\/Relay>//' "$work/cfg.xml" >"$work/v1doc.xml"
expect upgrade-v1-document 0 - "v1doc.xml: upgraded from version 1: " -- \
  "$vrkcfg" upgrade "$work/v1doc.xml" -o "$work/v1up.xml"
expect upgrade-to-stdout 0 - "upgraded from version 1" -- "$vrkcfg" upgrade "$work/v1doc.xml" --report
grep -q '<VersionInfo version="7"/>' "$work/out" || { echo "FAIL upgrade to stdout"; failures=$((failures + 1)); }
expect upgrade-json 0 - "" -- "$vrkcfg" upgrade "$corpus/loadable_v2_full.bin" --report --json -o "$work/u.xml"
grep -q '^{"from":2,"summary":"upgraded from version 2: ' "$work/out" || { echo "FAIL upgrade json"; failures=$((failures + 1)); }
expect upgrade-v7 0 - "cfg.xml: version 7: nothing to upgrade" -- "$vrkcfg" upgrade "$work/cfg.xml" -o "$work/u7.xml"
expect upgrade-broken 1 "" "bad.xml: XML document loading error" -- "$vrkcfg" upgrade "$work/bad.xml"
expect upgrade-usage 2 "" "usage: vrkcfg upgrade FILE" -- "$vrkcfg" upgrade

source "$(dirname "$0")/inputs_outputs.sh"
source "$(dirname "$0")/editing.sh"
source "$(dirname "$0")/conventions.sh"
source "$(dirname "$0")/readme_examples.sh"

if [ $failures -ne 0 ]; then
  echo "$failures CLI check(s) failed"
  exit 1
fi
echo "all CLI checks passed"
