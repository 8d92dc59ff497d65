#!/usr/bin/env bash
# Usage: scripts/netns.sh COMMAND [ARGS...]
#
# Runs COMMAND in a network namespace of its own with only the loopback interface up, so that
# the UDP table holds just what COMMAND's processes bind (Wine reads the namespace's table when
# its wineserver starts inside it: start the Wine session within COMMAND). TARNWICK_NETNS=1
# tells COMMAND it got one. Where the machine allows no namespace (not root), COMMAND runs as
# it is, without TARNWICK_NETNS.
set -euo pipefail
if [ -z "${TARNWICK_NETNS:-}" ] && unshare -n true 2>/dev/null; then
    exec unshare -n bash -c 'ip link set lo up && TARNWICK_NETNS=1 exec "$@"' sh "$@"
fi
exec "$@"
