#!/usr/bin/env bash
# Usage: bench/run-e2e-bench.sh [ARGS...]
#
# Runs bench/e2e_bench.py on the Windows build in a network namespace of its own (needs root),
# where Wine lists only the sockets the script binds; the Wine session (Xvfb, wineserver)
# starts inside it too. Arguments go to the script.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$repo/build/$(bash "$repo/scripts/wine-arch.sh" build)"
exec bash "$repo/scripts/netns.sh" bash "$repo/scripts/wine-session.sh" python3 "$repo/bench/e2e_bench.py" \
    --exe "$build/Tarnwick.exe" --driver "$build/tests/e2e/tarnwick_driver.exe" "$@"
