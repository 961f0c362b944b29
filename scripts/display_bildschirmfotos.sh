#!/usr/bin/env bash
# Screenshots of the large display in its five styles, light and dark, at
# 1024x768 under Xvfb: a pseudo-terminal plays a multimeter sending
# "-12,345 mV" on COM 2, the program starts with PELVARON_DISPLAY set, which
# opens the display and connects (the main window's screenshot script with
# further settings).
# Needs xvfb, imagemagick and python3; run after `make` from the top folder.
# Writes display-<style>-<hell|dunkel>.png into the given folder.
set -euo pipefail
ziel=$(realpath -m "${1:-.}")
mkdir -p "$ziel"
cd "$(dirname "$0")/.."
ordner=$(mktemp -d)
instrument=
trap '[ -n "$instrument" ] && kill "$instrument" 2>/dev/null; rm -rf "$ordner"' EXIT

# The instrument: one record every 300 ms on a pseudo-terminal.
python3 -u -c '
import os, pty, time
m, s = pty.openpty()
print(os.ttyname(s), flush=True)
while True:
    os.write(m, b"DC-12.345 mV \r")
    time.sleep(0.3)
' > "$ordner/port" &
instrument=$!
sleep 1
port=$(head -n1 "$ordner/port")

for stil in 0 1 2 3 4; do
  for hell in 1 0; do
    name=$([ "$hell" = 1 ] && echo hell || echo dunkel)
    EINSTELLUNGEN="s/^LED\/LCD=.*\r\$/LED\/LCD=$stil\r/; s/^Display hell=.*\r\$/Display hell=$hell\r/" \
      PELVARON_COM2="$port" PELVARON_DISPLAY=1 scripts/bildschirmfoto.sh "$ziel/display-$stil-$name.png"
  done
done
