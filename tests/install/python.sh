#!/usr/bin/env bash
# The Python package as `cmake --install` puts it: in the interpreter's package folder below the prefix, the
# extension finding the library through a RUNPATH relative to itself. A moved copy of the prefix must work with
# PYTHONPATH alone and load nothing from the build folder; below /usr/local the package must land where the
# interpreter looks without PYTHONPATH. Arguments: BUILD_DIR PYTHON.
set -eu
build=$(realpath "$1")
python=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
site=$(cd "$work/prefix" && find . -path '*/vrk5420/__init__.py' -printf '%h\n' | sed 's|^\./||; s|/vrk5420$||')
[ -n "$site" ] || { echo "FAIL the package is not installed"; exit 1; }
if "$python" -c 'import sys, sysconfig; sys.exit("deb_system" not in sysconfig.get_scheme_names())'; then
  [ "$site" = lib/python3/dist-packages ] || { echo "FAIL installed into $site, not Debian's folder"; exit 1; }
fi
for file in py.typed _native.pyi; do
  [ -f "$work/prefix/$site/vrk5420/$file" ] || { echo "FAIL $file not installed"; exit 1; }
done
runpath=$(readelf -d "$work/prefix/$site"/vrk5420/_native*.so | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
case "$runpath" in
  '$ORIGIN/'*) ;;
  *) echo "FAIL RUNPATH of the extension: $runpath"; exit 1 ;;
esac

DESTDIR="$work/local" cmake --install "$build" --prefix /usr/local --component python >"$work/install.log"
local_site=$(cd "$work/local" && find . -path '*/vrk5420/__init__.py' -printf '%h\n' | sed 's|^\./||; s|/vrk5420$||')
"$python" -c 'import sys; sys.exit(sys.argv[1] not in sys.path)' "/$local_site" ||
  { echo "FAIL below /usr/local the package goes to /$local_site, which the interpreter does not search"; exit 1; }

mv "$work/prefix" "$work/moved"
cd "$work"
env -u LD_LIBRARY_PATH PYTHONPATH="$work/moved/$site" PYTHONDONTWRITEBYTECODE=1 "$python" - "$work/moved" <<'PY'
import sys
import vrk5420

moved = sys.argv[1]
assert vrk5420.__file__.startswith(moved), vrk5420.__file__
cfg = vrk5420.Converter()
cfg.CreateNewCfg()
assert cfg.GetValue("Region_settings\\Hysteresis_percent") == "5"
with open("/proc/self/maps") as maps:
    loaded = {line.split()[-1] for line in maps if "libVRK5420CfgConverter" in line}
assert loaded and all(path.startswith(moved) for path in loaded), loaded
print("installed package works from", moved)
PY
