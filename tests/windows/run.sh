#!/usr/bin/env bash
# Drives the Windows build of the server under Wine, in a fresh headless prefix: runs vrkcfg.exe against the
# Linux build's vrkcfg, registers the DLL with regsvr32, checks the registry, runs the early- and late-bound C++
# clients and the VBScript, compares the images they write with the Linux build's image of the same
# configuration, unregisters the DLL and checks what is left; then installs the MSI package in a second fresh
# prefix, runs the VBScript against the installed server, uninstalls it and checks what is left.
# Usage: tests/windows/run.sh WINDOWS_BUILD LINUX_VRKCFG
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 WINDOWS_BUILD LINUX_VRKCFG" >&2; exit 2; }
build=$(cd "$1" && pwd)
vrkcfg=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$build/wine-test
mkdir -p "$work"
rm -f "$work/skipped"

# No display, no installers for the runtimes the tests do not use, no debug output; English messages.
export WINEPREFIX=$build/wine-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY

# Every Wine call is bounded: a program that waits for input it will never get fails the run instead of hanging it.
wine() { timeout -k 10 300 wine "$@"; }

failures=0
started=$SECONDS
phase() { echo "== $1 ($((SECONDS - started)) s)"; }
pass() { echo "ok - $1"; }
fail() { echo "FAIL - $1"; failures=$((failures + 1)); }
expect() { if eval "$1"; then pass "$2"; else fail "$2"; fi; }

phase "fresh Wine prefix"
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p  # one server for the whole run, ended on exit
trap 'wineserver -k 2>/dev/null || true' EXIT
wine wineboot -i >/dev/null 2>&1
dll=$(winepath -w "$build/VRK5420CfgConverter.dll")

# The default value of a key (NAME empty) or a named value, as reg prints it; empty when there is none.
reg_value() {
  local option=(/ve)
  [ -n "$2" ] && option=(/v "$2")
  wine reg query "$1" "${option[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ .*REG_SZ *//p'
}
reg_exists() { wine reg query "$1" >/dev/null 2>&1; }

converter='{7AE70612-DF6C-4540-9955-C57CFD9A3562}'
indexes='{B572B8A8-723D-4E42-8F0C-147FED6FC9CE}'
app='{10C4AD8C-F2DB-4982-8BCF-9F368C1FB19D}'
typelib='{60488527-D1F6-4F56-8958-D9B80793C60F}'
dual='{D289E531-5741-41B3-B57A-972BB7260CF5}'
progids=(VRK5420CfgConverter.VRK5420CfgConvert.1 VRK5420CfgConverter.VRK5420CfgConverter
         VRK5420CfgConverter.VRK5420CfgConValu.1 VRK5420CfgConverter.VRK5420CfgConValueI)

phase "vrkcfg.exe"
# Wine reads Unix file names and the command line as text of the locale: UTF-8, so that Cyrillic names pass.
exe=$build/tools/vrkcfg.exe
tool=$work/vrkcfg-exe
rm -rf "$tool"
mkdir -p "$tool/linux" "$tool/конфигурация"
windows_vrkcfg() { (cd "$tool/конфигурация" && LC_ALL=C.UTF-8 wine "$exe" "$@"); }
"$vrkcfg" new -o "$tool/linux/default.xml"
linux_crc=$("$vrkcfg" bin "$tool/linux/default.xml" -o "$tool/linux/default.bin" 2>/dev/null)
"$vrkcfg" xml "$tool/linux/default.bin" -o "$tool/linux/back.xml"
expect 'windows_vrkcfg new -o исходная.xml' "vrkcfg.exe new writes a file with a Cyrillic name"
expect 'cmp -s "$tool/конфигурация/исходная.xml" "$tool/linux/default.xml"' "its bytes are the Linux vrkcfg's"
crc=$(windows_vrkcfg bin исходная.xml -o образ.bin 2>/dev/null | tr -d '\r') || crc=failed
expect '[ "$crc" = "$linux_crc" ]' "vrkcfg.exe bin prints the Linux vrkcfg's CRC ($crc)"
expect 'cmp -s "$tool/конфигурация/образ.bin" "$tool/linux/default.bin"' "vrkcfg.exe bin writes the Linux image bytes"
# Written again over the existing file through a temporary file, which does not stay behind.
expect 'windows_vrkcfg xml образ.bin -o обратно.xml && windows_vrkcfg xml образ.bin -o обратно.xml' \
  "vrkcfg.exe xml converts the image back, twice over the same file"
expect 'cmp -s "$tool/конфигурация/обратно.xml" "$tool/linux/back.xml"' "the document is the Linux vrkcfg's"
expect '[ "$(ls -A "$tool/конфигурация" | wc -l)" -eq 3 ]' "no temporary file is left beside the outputs"
# Standard output carries the image's bytes unchanged (no line ends added) and standard input is read as bytes.
expect 'windows_vrkcfg xml - -o - <"$tool/linux/default.bin" 2>/dev/null | cmp -s - "$tool/linux/back.xml"' \
  "vrkcfg.exe reads an image on standard input and writes the document on standard output"
status=0
message=$(windows_vrkcfg get нет.xml 'BlackBox\decimation_coeff' 2>&1 >/dev/null | tr -d '\r') || status=$?
expect '[ $status -eq 1 ] && grep -qF "нет.xml: " <<<"$message"' "a missing file exits 1 and is named in the message"

phase "regsvr32"
expect 'wine regsvr32 /s "$dll"' "regsvr32 registers the DLL"
# KEY|VALUE NAME|expected data
while IFS='|' read -r key name wanted; do
  got=$(reg_value "HKCR\\$key" "$name")
  expect '[ "$got" = "$wanted" ]' "HKCR\\$key ${name:-(default)} is $wanted"
done <<EOF
VRK5420CfgConverter.VRK5420CfgConverter\\CurVer||VRK5420CfgConverter.VRK5420CfgConvert.1
VRK5420CfgConverter.VRK5420CfgConValu.1\\CLSID||$indexes
CLSID\\$converter\\InprocServer32||$dll
CLSID\\$converter\\InprocServer32|ThreadingModel|Apartment
CLSID\\$converter|AppID|$app
CLSID\\$indexes\\InprocServer32|ThreadingModel|Both
CLSID\\$indexes\\TypeLib||$typelib
AppID\\$app||VRK5420CfgConverter
AppID\\VRK5420CfgConverter.DLL|AppID|$app
TypeLib\\$typelib\\1.0\\0\\win64||$dll
Interface\\$dual\\TypeLib||$typelib
EOF

phase "the Linux build's image"
"$vrkcfg" new -o "$work/default.xml"
"$vrkcfg" set "$work/default.xml" 'BlackBox\decimation_coeff' 3 -o "$work/expected.xml"
expected_crc=$("$vrkcfg" bin "$work/expected.xml" -o "$work/expected.bin" 2>/dev/null)
echo "$expected_crc"

# Runs one client, shows its output, and compares the image (after SKIP bytes) and, unless CRC is "no", the
# CRC it gives with the Linux build's. The scripts' files start with the two-byte mark of a Unicode text stream.
run_client() {
  local name=$1 image=$work/$1.bin skip=$2 crc=$3
  shift 3
  rm -f "$image"
  local output status=0
  output=$(wine "$@" "$(winepath -w "$image")" 2>&1 | tr -d '\r') || status=$?
  echo "$output"
  expect '[ $status -eq 0 ] && grep -q "^ok - " <<<"$output" && ! grep -q "^FAIL" <<<"$output"' \
    "$name passes its checks"
  # A script (the client whose file has a mark to skip) stopped by an error it did not catch ends with status 0
  # under Wine; only its last line tells.
  [ "$skip" -eq 0 ] || expect '[ "$(tail -n 1 <<<"$output")" = done ]' "$name runs to its end"
  grep '^skip' <<<"$output" >>"$work/skipped" || true
  [ "$crc" = no ] || expect 'grep -qxF "$expected_crc" <<<"$output"' "$name gets the Linux build's CRC"
  expect 'tail -c +$((skip + 1)) "$image" 2>/dev/null | cmp -s - "$work/expected.bin"' \
    "$name writes the Linux build's image bytes"
}

phase "early-bound client"
run_client early 0 yes "$build/tests/windows/early_bound_client.exe"
phase "late-bound client"
run_client late 0 yes "$build/tests/windows/late_bound_client.exe"
phase "type information"
status=0
output=$(wine "$build/tests/windows/type_info_client.exe" 2>&1 | tr -d '\r') || status=$?
echo "$output"
expect '[ $status -eq 0 ] && grep -q "^ok - " <<<"$output" && ! grep -q "^FAIL" <<<"$output"' \
  "the type information walked through IDispatch is the declared interface"

phase "VBScript under cscript"
run_client script 2 yes cscript //nologo "$(winepath -w "$here/converter_script.vbs")"
# JScript cannot see an [out] argument's value, hence the CRC, but the image it writes is compared.
phase "JScript under cscript"
run_client jscript 2 no cscript //nologo "$(winepath -w "$here/converter_script.js")"

# What removing the server leaves: none of its keys, the shared AppID and CLSID keys in place.
expect_unregistered() {
  for key in "${progids[@]}" "CLSID\\$converter" "CLSID\\$indexes" "AppID\\$app" AppID\\VRK5420CfgConverter.DLL \
             "TypeLib\\$typelib" "Interface\\$dual"; do
    expect '! reg_exists "HKCR\\$key"' "HKCR\\$key is removed"
  done
  for key in AppID CLSID; do
    expect 'reg_exists "HKCR\\$key"' "HKCR\\$key stays"
  done
}

phase "regsvr32 /u"
expect 'wine regsvr32 /u /s "$dll"' "regsvr32 /u unregisters the DLL"
expect_unregistered

# The installer in a prefix of its own: it writes the registration as registry rows, without regsvr32.
phase "installer in a fresh Wine prefix"
wineserver -k 2>/dev/null || true
export WINEPREFIX=$build/wine-prefix-msi
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
wine wineboot -i >/dev/null 2>&1
msi=$(ls "$build"/VRK5420CfgConverter-*-x64.msi)
folder=$WINEPREFIX/drive_c/Program\ Files/VRK5420CfgConverter
installed_dll='C:\Program Files\VRK5420CfgConverter\VRK5420CfgConverter.dll'
expect 'wine msiexec /i "$(winepath -w "$msi")" /qn' "msiexec /i installs $(basename "$msi")"
expect '[ -f "$folder/VRK5420CfgConverter.dll" ] && [ -f "$folder/vrkcfg.exe" ] && [ -f "$folder/README.md" ]' \
  "the DLL, vrkcfg.exe and the README are installed"
for key in "CLSID\\$converter\\InprocServer32" "CLSID\\$indexes\\InprocServer32" "TypeLib\\$typelib\\1.0\\0\\win64"; do
  got=$(reg_value "HKCR\\$key" "")
  expect '[ "$got" = "$installed_dll" ]' "HKCR\\$key names the installed DLL"
done
expect 'reg_exists "HKCR\\CLSID\\$converter\\Programmable"' "keys without values are created"
expect '[ "$(reg_value "HKCR\\VRK5420CfgConverter.VRK5420CfgConverter\\CurVer" "")" = "${progids[0]}" ]' \
  "the ProgIDs are registered"
run_client installed 2 yes cscript //nologo "$(winepath -w "$here/converter_script.vbs")"
version=$(wine "$folder/vrkcfg.exe" --version 2>/dev/null | tr -d '\r') || true
expect 'grep -qF "$(basename "$msi" | cut -d- -f2)" <<<"$version"' "the installed vrkcfg.exe runs ($version)"
expect 'wine msiexec /x "$(winepath -w "$msi")" /qn' "msiexec /x uninstalls it"
expect '[ ! -e "$folder/VRK5420CfgConverter.dll" ] && [ ! -e "$folder/vrkcfg.exe" ]' "the files are removed"
expect_unregistered

phase "done"
[ ! -s "$work/skipped" ] || { echo "Skipped under Wine:"; cat "$work/skipped"; }
echo "Windows tests under Wine: $failures failed"
[ "$failures" -eq 0 ]
