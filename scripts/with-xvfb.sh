#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb, 1920x1080) with openbox as window manager,
# then stops both. Usage: scripts/with-xvfb.sh COMMAND [ARG...]
set -u

for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then display=":$n"; break; fi
done
: "${display:?no free X display number}"

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >/tmp/xvfb-${display#:}.log 2>&1 &
xvfb_pid=$!
cleanup() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT INT TERM

export DISPLAY="$display"
for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "with-xvfb: X server $display did not start" >&2
  cat "/tmp/xvfb-${display#:}.log" >&2
  exit 1
fi

openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
# openbox sets _NET_SUPPORTING_WM_CHECK on the root window once it manages the screen
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$@"
status=$?
exit $status
