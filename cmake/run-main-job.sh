#!/usr/bin/env bash
# The main job: write the embedded default configuration, read a few of its values back and produce its binary
# image through vrkcfg.
set -euo pipefail
vrkcfg="$1"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$vrkcfg" new -o "$out/default.xml"
echo "Default configuration written ($(wc -c <"$out/default.xml") bytes, windows-1251)."
for path in 'VersionInfo\version' 'Cfg\DeviceType' 'Header\SW_version' 'Data_transfer_settings\param_min_int' \
            'Data_transfer_settings\param_max_int' 'Region_settings\base_interval_s' \
            'Region_settings\Hysteresis_percent' 'Region_settings\DelayUp_ms' 'Region_settings\DelayDn_ms'; do
  printf '%-40s %s\n' "$path" "$("$vrkcfg" get "$out/default.xml" "$path")"
done
"$vrkcfg" bin "$out/default.xml" -o "$out/default.bin"
"$vrkcfg" inspect "$out/default.bin" | sed -n 1,2p
