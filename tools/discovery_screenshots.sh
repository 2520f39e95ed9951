#!/usr/bin/env bash
# Pictures of the window listing a unit found on the network, in Chinese, English and Polish:
# docs/discovered-zh.png, -en.png, -pl.png. Runs inside tests/e2e/netns.sh (root: network
# namespaces) with a private system D-Bus, avahi-daemon, and ser2net announcing the simulator.
#   tools/discovery_screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ "${TQ_NETNS_INSIDE:-}" != 1 ]; then
  exec "$root/tests/e2e/netns.sh" bash "$0" "$build"
fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
# No local serial ports in the picture: the found unit is the first entry and so the one shown.
mount -t tmpfs none /sys/class/tty
cat > "$work/bus.conf" <<CONF
<busconfig><type>system</type><listen>unix:path=$work/bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/></policy></busconfig>
CONF
printf '[server]\nhost-name=tq-shop-pc\nuse-ipv6=no\nallow-interfaces=lo\n[publish]\npublish-workstation=no\n' > "$work/avahi.conf"
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/bus
dbus-daemon --config-file="$work/bus.conf" --nofork --print-address > "$work/bus.address" &
until [ -s "$work/bus.address" ]; do sleep 0.1; done
avahi-daemon --no-chroot --no-drop-root --no-rlimits -f "$work/avahi.conf" 2> "$work/avahi.log" &
until grep -q "startup complete" "$work/avahi.log"; do sleep 0.1; done
"$build/tqunit-sim" > "$work/sim.out" &
until [ -s "$work/sim.out" ]; do sleep 0.1; done
pty=$(sed -n 's/^PORT //p' "$work/sim.out")
cat > "$work/ser2net.yaml" <<YAML
connection: &unit
  accepter: telnet(rfc2217),tcp,7001
  connector: serialdev,$pty,115200n81,local
  options:
    mdns: true
    mdns-name: tq-unit-01
    mdns-txt: "role=tq-management-unit"
YAML
ser2net -n -u -c "$work/ser2net.yaml" -P "$work/ser2net.pid" 2>/dev/null &
for lang in zh:Chinese en:English pl:Poland; do
  dir="$work/${lang%%:*}"
  mkdir -p "$dir"
  printf '[General]\nLanguage=%s\n' "${lang##*:}" > "$dir/Language.ini"
  xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" "$build/tqmanage" --system-dir "$dir" --screenshot-delay 5000 \
    --screenshot "$root/docs/discovered-${lang%%:*}.png"
done
