#!/usr/bin/env bash
# Usage: scripts/wine-arch.sh [build]
#
# Prints the Wine architecture this machine can run the Windows programs in: win32 where the
# kernel runs 32-bit programs (Wine's 32-bit loader), else win64; with "build", the folder
# under build/ whose programs run here (windows, or windows64). Some kernels are built or
# booted without 32-bit support ("32-bit emulation disabled"); there the tests run the same
# sources built for x86_64 (build/windows64) under the 64-bit Wine. TARNWICK_WINEARCH
# overrides the choice.
set -euo pipefail
if [ -n "${TARNWICK_WINEARCH:-}" ]; then
    arch=$TARNWICK_WINEARCH
elif /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    arch=win32
else
    arch=win64
fi
if [ "${1:-}" = build ]; then
    [ "$arch" = win64 ] && echo windows64 || echo windows
else
    echo "$arch"
fi
