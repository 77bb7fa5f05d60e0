#!/usr/bin/env bash
# Builds libxlsxwriter for the Windows build from Debian's own source package, at the version
# of the native libxlsxwriter-dev, with mingw-w64: a static library with its bundled minizip,
# md5 and tmpfileplus (neither minizip nor OpenSSL has a mingw package) over the zlib of
# libz-mingw-w64-dev. The source comes through a scratch apt configuration under build/
# (its own sources list with a deb-src entry for the mirror the native package came from,
# its own lists and cache): the machine's apt configuration is not touched.
# Quiet and quick when the library of that version is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dest="$root/build/mingw-xlsxwriter"
work="$root/build/mingw-xlsxwriter-src"

version=$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev)
binary=$(dpkg-query -W -f='${Version}' libxlsxwriter-dev)
built() { [ -f "$dest/lib/libxlsxwriter.a" ] && [ "$(cat "$dest/version" 2>/dev/null)" = "$version" ]; }
built && exit 0
# Builds started together (make -j of both builds) make it once.
mkdir -p "$root/build"
exec 9>"$root/build/mingw-xlsxwriter.lock"
flock 9
built && exit 0
echo "building libxlsxwriter $version for Windows"
started=$(date +%s)

# "http://deb.debian.org/debian bookworm/main amd64 Packages": where the native package is from.
origin=$(apt-cache madison libxlsxwriter-dev |
  awk -F'|' -v v="$binary" '{gsub(/ /, "", $2)} $2 == v {print $3; exit}')
read -r uri suite_component _ <<<"$origin"
if [ -z "${uri:-}" ]; then
  echo "mingw-xlsxwriter: no mirror offers libxlsxwriter-dev $binary" >&2
  exit 1
fi
suite=${suite_component%/*}
component=${suite_component##*/}
# The key the machine's own entry for that mirror trusts (deb822 or one-line lists).
keyring=$(awk -v uri="$uri" 'BEGIN { RS = "" }
  { found = 0; key = ""; n = split($0, lines, "\n")
    for (i = 1; i <= n; i++) {
      if (lines[i] ~ /^URIs:/ && index(lines[i] " ", " " uri " ")) found = 1
      if (lines[i] ~ /^Signed-By:/) { key = lines[i]; sub(/^Signed-By: */, "", key) }
    }
    if (found && key != "") { print key; exit } }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
if [ -z "$keyring" ]; then
  keyring=$(grep -hs "^deb .* $uri " /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
    sed -n 's/.*signed-by=\([^] ]*\).*/\1/p' | head -1 || true)
fi
options=""
[ -n "$keyring" ] && options="[signed-by=$keyring] "

rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d"
echo "deb-src ${options}$uri $suite $component" >"$work/apt/sources.list"
apt=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
  -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
  -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache")
# As root apt downloads as the user _apt, who may not write under build/.
[ "$(id -u)" -eq 0 ] && apt+=(-o APT::Sandbox::User=root)
apt-get "${apt[@]}" -qq update
(cd "$work" && apt-get "${apt[@]}" -qq source --only-source "libxlsxwriter=$version" >/dev/null)
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libxlsxwriter-*' | head -1)

zlib=/usr/x86_64-w64-mingw32/lib/libz.a
cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$dest" -DBUILD_SHARED_LIBS=OFF \
  -DUSE_SYSTEM_MINIZIP=OFF -DUSE_OPENSSL_MD5=OFF -DUSE_STANDARD_TMPFILE=OFF \
  -DZLIB_LIBRARY="$zlib" -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j "${JOBS:-2}" >/dev/null
rm -rf "$dest"
cmake --install "$work/build" >/dev/null
echo "$version" >"$dest/version"
rm -rf "$work"
echo "libxlsxwriter $version for Windows: $(($(date +%s) - started)) s"
