#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the documents need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 wine xvfb xdotool x11-apps x11-utils imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho locales
  zip unzip bc clang-format librsvg2-bin
  hyperfine linux-perf
  afl++
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  libxlsxwriter-dev libz-mingw-w64-dev dpkg-dev python3-openpyxl python3-fonttools
  libcairo2-dev
)
if [ "${1:-}" = "--docs" ]; then
  packages+=(weasyprint)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The Windows build's libxlsxwriter: Debian's source of the native one, built with mingw-w64.
"$(dirname "$0")/mingw-xlsxwriter.sh"
