#!/usr/bin/env bash
# Takes a screenshot of the main window at 1024x768 under Xvfb, with the
# shipped device files and the multimeter selected. With TASTEN set, those
# keys (xdotool key names, e.g. TASTEN="alt+e m" for "Einstellungen >
# Messung...") are pressed before the picture is taken.
# Needs the packages xvfb and imagemagick (and xdotool for TASTEN); run after
# `make` from the top folder.
set -euo pipefail
ziel=$(realpath -m "${1:-pelvaron-hauptfenster.png}")
cd "$(dirname "$0")/.."
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
cp data/* "$ordner"/
# The factory settings with a current device, so that the start asks nothing.
LC_ALL=C sed 's/^\(Aktuelles Messger.t=\)\r$/\1Multimeter (sendet selbst)\r/' \
  tests/daten/pelvaron_werkseinstellungen.ini > "$ordner/Pelvaron.ini"
TASTEN="${TASTEN:-}" PELVARON_HOME="$ordner" xvfb-run -a -s '-screen 0 1024x768x24' sh -c "
  build/programm/pelvaron & programm=\$!
  sleep 5
  if [ -n \"\${TASTEN:-}\" ]; then xdotool search --onlyvisible --name Pelvaron windowfocus --sync key --delay 400 \${TASTEN:-}; sleep 1; fi
  import -window root '$ziel'
  kill \$programm"
echo "$ziel"
