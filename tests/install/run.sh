#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds and runs a client outside the project against it twice:
# through the CMake package and through pkg-config. Also runs the installed vrkcfg, which must find the installed
# library for `register`, after which the client creates the converter by ProgID.
# Arguments: BUILD_DIR SOURCE_DIR [COMPILER_FLAGS] (the sanitizer flags of the build).
set -eu
build=$1
source=$2
flags=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
pc=$(find "$prefix" -name VRK5420CfgConverter.pc)
[ -n "$pc" ] || { echo "FAIL no pkg-config file installed"; exit 1; }
libdir=$(realpath -s "$(dirname "$pc")/..")
headers=include/VRK5420CfgConverter
for file in $headers/interface/vrk5420_interfaces.h $headers/platform/com_types.h $headers/platform/com_client.h \
  bin/vrkcfg; do
  [ -e "$prefix/$file" ] || { echo "FAIL $file not installed"; exit 1; }
done

echo "--- versioned library"
library="$libdir/libVRK5420CfgConverter.so.1"
[ -f "$libdir/libVRK5420CfgConverter.so.1.4.3" ] && [ ! -L "$libdir/libVRK5420CfgConverter.so.1.4.3" ] ||
  { echo "FAIL no libVRK5420CfgConverter.so.1.4.3"; exit 1; }
[ "$(readlink "$library")" = libVRK5420CfgConverter.so.1.4.3 ] || { echo "FAIL no SONAME link"; exit 1; }
[ "$(readlink "$libdir/libVRK5420CfgConverter.so")" = libVRK5420CfgConverter.so.1 ] ||
  { echo "FAIL no link name"; exit 1; }
objdump -p "$library" | grep -qE 'SONAME +libVRK5420CfgConverter\.so\.1$' || { echo "FAIL SONAME"; exit 1; }
grep -qx 'Version: 1.4.3' "$pc" || { echo "FAIL pkg-config version"; exit 1; }

echo "--- CMake package"
cmake -S "$source/tests/install/client" -B "$work/cmake-client" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$work/configure.log" ||
  { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-client" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
"$work/cmake-client/vrk_client"
grep -qF 'set(PACKAGE_VERSION "1.4.3")' "$libdir/cmake/VRK5420CfgConverter/VRK5420CfgConverterConfigVersion.cmake" ||
  { echo "FAIL CMake package version"; exit 1; }

echo "--- pkg-config"
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc")
# shellcheck disable=SC2046,SC2086
c++ -std=c++17 $flags "$source/tests/install/client/main.cpp" $(pkg-config --cflags --libs VRK5420CfgConverter) \
  -Wl,-rpath,"$(pkg-config --variable=libdir VRK5420CfgConverter)" -o "$work/pkg-client"
"$work/pkg-client"

echo "--- installed vrkcfg"
"$prefix/bin/vrkcfg" new | head -c 45 | grep -q 'encoding="windows-1251"' || { echo "FAIL installed vrkcfg new"; exit 1; }
export VRK5420_REGISTRY_FILE="$work/registry"
"$prefix/bin/vrkcfg" register | grep -qF "registered $(realpath -s "$library")" ||
  { echo "FAIL installed vrkcfg register"; exit 1; }
# The classes name the SONAME link, which an upgrade of the library keeps, not the versioned file behind it.
grep -qxF "@=\"$(realpath "$libdir")/libVRK5420CfgConverter.so.1\"" "$VRK5420_REGISTRY_FILE" ||
  { echo "FAIL registry does not name the SONAME link"; cat "$VRK5420_REGISTRY_FILE"; exit 1; }

echo "--- client by ProgID"
"$work/cmake-client/vrk_client" --progid
echo "install checks passed"
