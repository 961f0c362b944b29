#!/usr/bin/env bash
# Takes a screenshot of the main window at 1024x768 under Xvfb, with the
# shipped device files and the multimeter selected.
# Optional: ZUSATZDATEIEN, further files copied into the program folder;
# EINSTELLUNGEN, further sed commands applied to the settings file.
# Needs the packages xvfb and imagemagick; run after `make` from the top folder.
# Further arguments are keys (xdotool names, needs xdotool) typed into the
# main window before the screenshot, to open a window from its menus.
set -euo pipefail
ziel=$(realpath -m "${1:-pelvaron-hauptfenster.png}")
cd "$(dirname "$0")/.."
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
# shellcheck disable=SC2086
cp data/*.ger data/*.gif ${ZUSATZDATEIEN:-} "$ordner"/
# The factory settings with a current device, so that the start asks nothing.
LC_ALL=C sed -e 's/^\(Aktuelles Messger.t=\)\r$/\1Multimeter (sendet selbst)\r/' -e "${EINSTELLUNGEN:-}" \
  tests/daten/pelvaron_werkseinstellungen.ini > "$ordner/Pelvaron.ini"
PELVARON_HOME="$ordner" xvfb-run -a -s '-screen 0 1024x768x24' sh -c "
  build/programm/pelvaron & programm=\$!
  sleep 5
  if [ -n '${*:2}' ]; then
    xdotool mousemove 500 300 click 1 sleep 1 key --delay 300 ${*:2}
    sleep 2
  fi
  import -window root '$ziel'
  kill \$programm"
echo "$ziel"
