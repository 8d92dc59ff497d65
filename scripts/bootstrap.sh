#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need.
# Installs only what is missing, so a second run is a quick no-op.
set -euo pipefail

packages=(
  g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix cmake ninja-build make python3 clang-format
  googletest libgtest-dev libbenchmark-dev
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick iproute2
  libxrender1:i386 libxcursor1:i386 libxrandr2:i386 libxi6:i386
  libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
