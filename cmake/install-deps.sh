#!/usr/bin/env bash
# Installs the Debian packages given as arguments when any of them is missing.
# Usage: install-deps.sh [--no-install-recommends] PACKAGE...   (the option is passed on to apt-get install)
set -eu
apt_options=()
if [ "${1:-}" = --no-install-recommends ]; then apt_options+=("$1"); shift; fi
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${apt_options[*]}${apt_options[*]:+ }${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${apt_options[@]}" "${missing[@]}"
