#!/usr/bin/env bash
# Installs into a temporary DESTDIR, makes the installed tree read-only and runs the installed
# tqmanage (offscreen, with its own HOME, as a user who owns nothing of the tree) through a first
# start, Save, the start-up load of the saved file, a language switch and the simulator.
# Usage: test_install.sh BUILD_DIR DRIVER_LIBRARY
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
DESTDIR="$work/root" cmake --install "$build" --prefix /usr > /dev/null
tree="$work/root/usr"
install -m 755 "$2" "$work/driver.so"
home="$work/home"
report="$work/report"
mkdir -p "$home" "$work/run"
touch "$report"
chmod 700 "$work/run"
chmod 666 "$report"
chmod -R a-w "$work/root"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home" "$work/run"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  # A test program killed while it held a pseudo-terminal leaves root's lock file behind; the
  # serial port would take it over as stale, but nobody may not remove it.
  for lock in /run/lock/LCK..pts_* /var/lock/LCK..pts_*; do
    [ -f "$lock" ] || continue
    pid=$(head -n 1 "$lock" | tr -dc 0-9)
    [ -n "$pid" ] && kill -0 "$pid" 2> /dev/null || rm -f "$lock"
  done
fi
checksum() { find "$work/root" -type f -exec md5sum {} + | sort; }
shipped=$(checksum)

fail() {
  echo "FAIL: $*"
  echo "--- report"; cat "$report"; echo "--- output"; cat "$work/out"
  exit 1
}
# run STEPS [STEPS_AFTER_A_RESTART] [OPTION...]
run() {
  : > "$report"
  local steps=$1 next=$2
  shift 2
  "${as_user[@]}" /usr/bin/env -i HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/run" \
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tq.*.debug=true" LD_PRELOAD="$work/driver.so" \
    TQ_DRIVE="$steps" TQ_DRIVE_NEXT="$next" TQ_DRIVE_REPORT="$report" \
    /usr/bin/timeout 30 "$tree/bin/tqmanage" "$@" > "$work/out" 2>&1 || fail "tqmanage $* exited with $?"
}
expect() { grep -qxF -- "$1" "$report" || fail "expected: $1"; }
boxes() { grep -c '^box' "$report" || true; }

# --help and --version need no display.
for option in --help --version; do
  /usr/bin/env -i "$tree/bin/tqmanage" $option > "$work/out" 2>&1 || fail "tqmanage $option without a display"
done
grep -qx 'tqmanage V1.0.7' "$work/out" || fail "--version printed $(cat "$work/out")"
/usr/bin/env -i "$tree/bin/tqmanage-cli" --version | grep -qx 'tqmanage-cli V1.0.7' || fail "tqmanage-cli is not installed"
/usr/bin/env -i "$tree/bin/tqunit-sim" --version | grep -qx 'tqunit-sim V1.0.7' || fail "tqunit-sim --version"

# A first start with no per-user files: the shipped defaults, nothing written on leaving with No.
run "dump;close" ""
expect "types ||||"
expect "menu 中文"
expect "fonts Arial|Arial" # the controls the style sheet leaves take its family too
expect "box 退出程序 | 警告：程序正在运行退出后是否要保存配置文件?"
[ "$(boxes)" = 1 ] || fail "unexpected message box"
[ ! -e "$home/.config/tqmanage" ] || fail "a first start wrote $(ls "$home/.config/tqmanage")"
grep -qF "installed layout; shipped files in $tree/share/tqmanage/System; own files in $home/.config/tqmanage" "$work/out" \
  || fail "the chosen folders are not in the log"

# Save writes the per-user default file, and the next start loads it.
run "type:2:VIP;save;close" ""
[ "$(boxes)" = 1 ] || fail "saving showed a message box"
base64 -d < "$home/.config/tqmanage/Printf_default.ini" | grep -qF '1%U7C7B=VIP' || fail "the saved file lacks the name"
run "dump;close" ""
expect "types |VIP|||"

# The language switch writes the per-user Language.ini; the program it restarts is English.
run "english" "dump;close"
expect "box Language Switching | The software has been successfully switched to <English version> Please restart the software and take effect....."
for _ in $(seq 100); do grep -q '^done close' "$report" && break; sleep 0.2; done
expect "menu English"
grep -qx 'Language=English' "$home/.config/tqmanage/Language.ini" || fail "Language.ini not written"

# The simulator is installed beside the program.
run "online;dump;close" "" --simulate
expect "state State:Normal"

# Installed, the record goes to the user's state folder ($XDG_STATE_HOME, else ~/.local/state).
cli_reset() {
  "${as_user[@]}" /usr/bin/env -i HOME="$home" "$@" "$tree/bin/tqmanage-cli" reset --yes --port "$work/no-unit" > "$work/out" 2>&1 && fail "reset of no unit exited with 0"
  return 0
}
cli_reset
grep -qF "\"unit\":\"$work/no-unit\"" "$home/.local/state/tqmanage/record.jsonl" || fail "no record in ~/.local/state/tqmanage"
cli_reset XDG_STATE_HOME="$work/run/state"
grep -qF '"action":"reset"' "$work/run/state/tqmanage/record.jsonl" || fail "no record in \$XDG_STATE_HOME/tqmanage"

# --screenshot says where the picture went, or on stderr that it could not be written there.
shot() {
  "${as_user[@]}" /usr/bin/env -i HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/run" \
    QT_QPA_PLATFORM=offscreen /usr/bin/timeout 30 "$tree/bin/tqmanage" --screenshot "$1" --screenshot-delay 0 \
    > "$work/out" 2> "$work/err"
}
shot "$work/run/shot.png" || fail "the screenshot exited with $?"
# Fontconfig is read on a second thread at start; Qt's own objects must all stay on the first.
if grep -qi "thread" "$work/err"; then fail "a warning about threads: $(cat "$work/err")"; fi
grep -qxF "screenshot $work/run/shot.png" "$work/out" || fail "the screenshot's path is not on stdout"
[ "$(head -c 4 "$work/run/shot.png" | tail -c 3)" = PNG ] || fail "the screenshot is no PNG"
if shot "$work/run/no-such-folder/shot.png"; then fail "a screenshot that cannot be written exited with 0"; fi
grep -qxF "cannot write $work/run/no-such-folder/shot.png" "$work/err" || fail "stderr says: $(cat "$work/err")"

[ "$(checksum)" = "$shipped" ] || fail "the installed tree changed"
echo "installed tree read-only, per-user files in \$HOME/.config/tqmanage: passed"
