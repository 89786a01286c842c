#!/usr/bin/env bash
# Cross-builds libxml2 for 64-bit Windows (mingw-w64) from Debian's own source package, as a static library with
# only what the DOM layer uses: no Python, no compression, no network, no ICU. Encodings beyond those libxml2
# knows itself (windows-1251 and the other single-byte code pages) go through the project's iconv over the
# system's code page tables (platform/windows/iconv.c), built here into the same prefix.
# Usage: build-libxml2.sh [PREFIX]   (default ~/.cache/vrk5420/libxml2-mingw). Does nothing when PREFIX is complete.
set -euo pipefail
HOST=x86_64-w64-mingw32
SOURCE_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
PREFIX=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/vrk5420/libxml2-mingw}
STAMP="$PREFIX/.complete-$(sha256sum "$0" "$SOURCE_ROOT/platform/windows/iconv.c" | sha256sum | cut -c1-12)"
[ -f "$STAMP" ] && exit 0

# apt-get source needs a deb-src entry for the archive the machine installs from; add one beside it when missing.
ensure_deb_src() {
  if apt-get source --print-uris libxml2 >/dev/null 2>&1; then return; fi
  [ "$(id -u)" -eq 0 ] || { echo "No deb-src entry for libxml2; run as root to add one." >&2; exit 1; }
  local list=/etc/apt/sources.list.d/vrk5420-deb-src.sources
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    # The deb822 stanzas with Types: deb, repeated as deb-src.
    awk 'BEGIN{RS="";ORS="\n\n"} /(^|\n)Types:[^\n]*deb([ \n]|$)/ && !/deb-src/ {sub(/Types:[^\n]*/,"Types: deb-src"); print}' \
      /etc/apt/sources.list.d/debian.sources >"$list"
  else
    grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | sed 's/^deb /deb-src /' \
      >/etc/apt/sources.list.d/vrk5420-deb-src.list
  fi
  apt-get update -qq
}

ensure_deb_src
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
apt-get source -qq --download-only libxml2 >/dev/null
dpkg-source --no-check -x libxml2_*.dsc src >/dev/null
mkdir -p "$PREFIX/include" "$PREFIX/lib"

"$HOST-gcc" -O2 -Wall -Wextra -c "$SOURCE_ROOT/platform/windows/iconv.c" -o iconv.o
"$HOST-ar" rcs "$PREFIX/lib/libiconv.a" iconv.o
cp "$SOURCE_ROOT/platform/windows/iconv.h" "$PREFIX/include/iconv.h"

cd src
# The Debian patches leave Makefile.am newer than the generated files; keep the shipped ones (no autotools needed).
touch aclocal.m4 && sleep 1 && touch configure config.h.in && find . -name Makefile.in -exec touch {} +
./configure -q --host=$HOST --prefix="$PREFIX" --enable-static --disable-shared \
  --without-python --without-lzma --without-zlib --without-icu --without-http --without-ftp \
  --without-readline --without-history --without-debug --without-modules --without-catalog \
  --with-iconv="$PREFIX" --with-threads CFLAGS="-O2 -I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
  >"$WORK/build.log" 2>&1 || { tail -40 "$WORK/build.log" >&2; exit 1; }
{ make -j"$(nproc)" libxml2.la && make install-libLTLIBRARIES && make -C include install; } \
  >>"$WORK/build.log" 2>&1 || { tail -40 "$WORK/build.log" >&2; exit 1; }
rm -f "$PREFIX"/.complete-*
touch "$STAMP"
echo "libxml2 for $HOST in $PREFIX"
