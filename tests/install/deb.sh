#!/usr/bin/env bash
# The Debian packages of the build: made with CPack into a folder of their own, unpacked into an empty root,
# and used from there: vrkcfg writes a configuration, Python imports the package and drives the library.
# Arguments: BUILD_DIR PYTHON.
set -eu
build=$(realpath "$1")
python=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL $1"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/packages" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb() { ls "$work/packages/$1"_1.4.3*_*.deb 2>/dev/null || fail "no package $1"; }
runtime=$(deb libvrk5420cfgconverter1)
dev=$(deb libvrk5420cfgconverter-dev)
tool=$(deb vrkcfg)
python_deb=$(deb python3-vrk5420)

dpkg-deb -c "$runtime" | grep -q '/usr/lib/.*libVRK5420CfgConverter.so.1 -> libVRK5420CfgConverter.so.1.4.3' ||
  fail "runtime package lacks the SONAME link"
dpkg-deb -c "$runtime" | grep -qE 'include/|\.so$' && fail "runtime package holds development files"
dpkg-deb -c "$dev" | grep -q 'include/VRK5420CfgConverter/platform/com_client.h' || fail "dev package lacks headers"
dpkg-deb -f "$runtime" Depends | grep -q 'libxml2' || fail "runtime Depends: $(dpkg-deb -f "$runtime" Depends)"
for package in "$dev" "$tool" "$python_deb"; do
  dpkg-deb -f "$package" Depends | grep -qF 'libvrk5420cfgconverter1 (= 1.4.3)' ||
    fail "$(basename "$package") does not depend on the runtime package"
done
dpkg-deb -f "$python_deb" Depends | grep -q 'python3' || fail "python package does not depend on python3"

root="$work/root"
for package in "$runtime" "$dev" "$tool" "$python_deb"; do dpkg-deb -x "$package" "$root"; done
"$root/usr/bin/vrkcfg" new | head -c 45 | grep -q 'encoding="windows-1251"' || fail "unpacked vrkcfg new"
cd "$work"
env -u LD_LIBRARY_PATH PYTHONPATH="$root/usr/lib/python3/dist-packages" PYTHONDONTWRITEBYTECODE=1 "$python" -c '
import vrk5420
cfg = vrk5420.Converter()
cfg.CreateNewCfg()
assert cfg.GetValue("Region_settings\\Hysteresis_percent") == "5"
' || fail "unpacked Python package"
echo "Debian packages: $(cd "$work/packages" && ls ./*.deb | tr '\n' ' ')"
