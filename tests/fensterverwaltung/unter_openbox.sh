#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb, 2560x2048, on a
# display number the server picks itself, so parallel runs never collide)
# with openbox as window manager, on the xcb platform, once at each of the
# scales 1, 2 and 1.5. Openbox keeps a strip at the top of the screen free,
# as a panel does, so the work area is not the whole screen.
# Usage: unter_openbox.sh PROGRAM [ARGUMENTS...]
set -uo pipefail

ordner=$(mktemp -d)
xvfb='' wm=''
beenden() {
  if [ -n "$wm" ]; then kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; fi
  wm='' xvfb=''
}
trap 'beenden; rm -rf "$ordner"' EXIT

panel=30
cat >"$ordner/rc.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>$panel</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF

# Starts the X server and openbox; fails when either does not come up.
starten() {
  # Xvfb takes the first display number free and writes it to the pipe once
  # it accepts clients. Without -noreset it would start afresh each time its
  # last client leaves, and drop a client connecting meanwhile.
  local nummer anzeige
  exec {nummer}< <(exec Xvfb -displayfd 1 -noreset -screen 0 2560x2048x24 -nolisten tcp 2>"$ordner/xvfb.log")
  xvfb=$!
  read -r -t 20 -u "$nummer" anzeige
  local gelesen=$?
  exec {nummer}<&-
  [ "$gelesen" = 0 ] || return 1
  export DISPLAY=":$anzeige"

  HOME="$ordner" openbox --sm-disable --config-file "$ordner/rc.xml" >"$ordner/openbox.log" 2>&1 &
  wm=$!
  # Openbox owns the screen once it announces the work area it leaves free.
  for _ in $(seq 400); do
    kill -0 "$wm" 2>/dev/null || return 1
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= 0, $panel, 2560, $((2048 - panel))" && return 0
    sleep 0.05
  done
  return 1
}

for versuch in 1 2 3; do
  starten && break
  echo "X server or openbox did not start (attempt $versuch of 3):" >&2
  cat "$ordner/xvfb.log" "$ordner/openbox.log" >&2
  beenden
  [ "$versuch" = 3 ] && exit 1
done

status=0
for skala in 1 2 1.5; do
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$skala "$@" || { echo "failed at scale $skala" >&2; status=1; }
done
exit $status
