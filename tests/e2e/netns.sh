#!/bin/sh
# Runs a command inside private network, mount, UTS and PID namespaces made for it: the only network
# is lo, up with multicast and 192.0.2.10/32, the host is named tq-shop-pc, /run is an empty tmpfs
# (room for a system D-Bus and an avahi-daemon of the command's own), and when the command ends
# every process left in the namespaces is killed with them. Nothing reaches a real network.
# Exits 77 with the reason where namespaces cannot be made (not root, a container that forbids them).
#   netns.sh COMMAND [ARG...]
set -eu
if [ "${TQ_NETNS_INSIDE:-}" != 1 ]; then
  for tool in unshare ip hostname mount; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is missing (tools/setup.sh installs it)"; exit 77; }
  done
  if ! why=$(unshare --net --mount --uts --pid --fork --kill-child true 2>&1); then
    echo "SKIP: this machine does not allow private network namespaces here: $why"
    exit 77
  fi
  TQ_NETNS_INSIDE=1 exec unshare --net --mount --uts --pid --fork --kill-child --mount-proc sh "$0" "$@"
fi
mount --make-rprivate /
mount -t tmpfs -o mode=755 tqrun /run
mkdir -p /run/dbus
ip link set lo up
ip link set lo multicast on
ip addr add 192.0.2.10/32 dev lo
hostname tq-shop-pc
# This shell stays process 1 of the namespace: it reaps what the command leaves, and its end ends
# them all.
"$@" &
child=$!
trap 'kill -TERM "$child" 2>/dev/null' TERM INT HUP
status=0
wait "$child" || status=$?
exit "$status"
