#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb, 1280x1024, on a
# display number the server picks itself, so parallel runs never collide)
# with openbox as window manager, on the xcb platform.
# Usage: unter_openbox.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

ordner=$(mktemp -d)
xvfb='' wm=''
aufraeumen() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$ordner"
}
trap aufraeumen EXIT

# Xvfb writes its display number to the pipe once it accepts clients.
exec {nummer}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>"$ordner/xvfb.log")
xvfb=$!
if ! read -r -t 20 -u "$nummer" anzeige; then
  echo "Xvfb did not start:" >&2
  cat "$ordner/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$anzeige"

HOME="$ordner" openbox --sm-disable >"$ordner/openbox.log" 2>&1 &
wm=$!
# The window manager has taken over once it names its check window.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "openbox did not start:" >&2
  cat "$ordner/openbox.log" >&2
  exit 1
fi

rc=0
QT_QPA_PLATFORM=xcb "$@" || rc=$?
exit "$rc"
