#!/usr/bin/env bash
# `pip install .` of the source tree into a virtual environment of Debian's interpreter, with Debian's setuptools
# and wheel and no network; the installed package carries its library and works from any folder.
# Arguments: SOURCE_DIR.
set -eu
source=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --no-build-isolation --no-index --no-cache-dir --quiet "$source" \
  >"$work/pip.log" 2>&1 || { cat "$work/pip.log"; exit 1; }
cd "$work"
PYTHONDONTWRITEBYTECODE=1 "$work/venv/bin/python" - "$work/venv" <<'PY'
import pathlib
import sys
import vrk5420

package = pathlib.Path(vrk5420.__file__).parent
assert package.is_relative_to(sys.argv[1]), package
assert {"py.typed", "_native.pyi", "libVRK5420CfgConverter.so.1"} <= {p.name for p in package.iterdir()}
assert vrk5420.__version__ == "1.4.3"
cfg = vrk5420.Converter()
cfg.CreateNewCfg()
assert cfg.GetValue("Region_settings\\Hysteresis_percent") == "5"
with open("/proc/self/maps") as maps:
    loaded = {line.split()[-1] for line in maps if "libVRK5420CfgConverter" in line}
assert loaded == {str((package / "libVRK5420CfgConverter.so.1").resolve())}, loaded
print("pip-installed package works:", package)
PY
"$work/venv/bin/python" -m pip uninstall --yes --quiet vrk5420
