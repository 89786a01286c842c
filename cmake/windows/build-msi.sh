#!/usr/bin/env bash
# Builds the Windows installer VRK5420CfgConverter-VERSION-x64.msi in WINDOWS_BUILD with wixl: the DLL,
# vrkcfg.exe and the README in "Program Files\VRK5420CfgConverter", and the server's registration as registry
# rows. The rows come from the server's own registration code (registry scripts and type library), run by the
# Linux build's vrkcfg into a scratch registry file, so that installer and regsvr32 write the same keys.
# Usage: build-msi.sh WINDOWS_BUILD LINUX_BUILD
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 WINDOWS_BUILD LINUX_BUILD" >&2; exit 2; }
windows=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")
[ -n "$version" ] || { echo "$0: no project version in $windows/CMakeCache.txt" >&2; exit 1; }
output=$windows/VRK5420CfgConverter-$version-x64.msi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
library=$(readlink -f "$linux/libVRK5420CfgConverter.so")
VRK5420_REGISTRY_FILE=$work/registry "$linux/tools/vrkcfg" register "$library" >/dev/null
awk -v module="$library" -v folder="$(dirname "$library")" -v file_id=VRK5420CfgConverter.dll \
    -f "$here/msi_registry.awk" "$work/registry" >"$work/registry.wxs"

# The upgrade code names the product across versions; component identifiers are derived from the file paths.
cat >"$work/product.wxs" <<WXS
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="*" Name="VRK5420CfgConverter" Version="$version" Manufacturer="VELMORA" Language="1033"
           UpgradeCode="83093AAA-9D83-40D7-A22E-4E38711909F5">
    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"
             Description="VRK5420CfgConverter Module $version"/>
    <Media Id="1" Cabinet="product.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFiles64Folder">
        <Directory Id="INSTALLDIR" Name="VRK5420CfgConverter">
          <Component Id="Server" Guid="*" Win64="yes">
            <File Id="VRK5420CfgConverter.dll" Name="VRK5420CfgConverter.dll"
                  Source="VRK5420CfgConverter.dll" KeyPath="yes"/>
$(cat "$work/registry.wxs")
          </Component>
          <Component Id="Tool" Guid="*" Win64="yes">
            <File Id="vrkcfg.exe" Name="vrkcfg.exe" Source="vrkcfg.exe" KeyPath="yes"/>
          </Component>
          <Component Id="Readme" Guid="*" Win64="yes">
            <File Id="README.md" Name="README.md" Source="README.md" KeyPath="yes"/>
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Complete" Level="1">
      <ComponentRef Id="Server"/>
      <ComponentRef Id="Tool"/>
      <ComponentRef Id="Readme"/>
    </Feature>
  </Product>
</Wix>
WXS
# wixl takes the files' sources relative to the folder it runs in. The build keeps its debug information; the
# installed files go without it.
cp "$windows/VRK5420CfgConverter.dll" "$windows/tools/vrkcfg.exe" "$source_root/README.md" "$work/"
x86_64-w64-mingw32-strip --strip-debug "$work/VRK5420CfgConverter.dll" "$work/vrkcfg.exe"
(cd "$work" && wixl -a x64 -o "$output" product.wxs)
echo "$output"
