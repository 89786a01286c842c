#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds and runs a client outside the project against it twice:
# through the CMake package and through pkg-config. Also runs the installed vrkcfg, which must find the installed
# library for `register`. Arguments: BUILD_DIR SOURCE_DIR [COMPILER_FLAGS] (the sanitizer flags of the build).
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
library=$(find "$prefix" -name libVRK5420CfgConverter.so)
for file in include/VRK5420CfgConverter/interface/vrk5420_interfaces.h include/VRK5420CfgConverter/platform/com_types.h \
  bin/vrkcfg; do
  [ -e "$prefix/$file" ] || { echo "FAIL $file not installed"; exit 1; }
done

echo "--- CMake package"
cmake -S "$source/tests/install/client" -B "$work/cmake-client" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$work/configure.log" ||
  { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake-client" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
"$work/cmake-client/vrk_client"

echo "--- pkg-config"
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$pc")
libdir=$(pkg-config --variable=libdir VRK5420CfgConverter)
# shellcheck disable=SC2046,SC2086
c++ -std=c++17 $flags "$source/tests/install/client/main.cpp" $(pkg-config --cflags --libs VRK5420CfgConverter) \
  -Wl,-rpath,"$libdir" -o "$work/pkg-client"
"$work/pkg-client"

echo "--- installed vrkcfg"
"$prefix/bin/vrkcfg" new | head -c 45 | grep -q 'encoding="windows-1251"' || { echo "FAIL installed vrkcfg new"; exit 1; }
VRK5420_REGISTRY_FILE="$work/registry" "$prefix/bin/vrkcfg" register | grep -qF "registered $(realpath "$library")" ||
  { echo "FAIL installed vrkcfg register"; exit 1; }
echo "install checks passed"
