#!/usr/bin/env bash
# Takes a screenshot of the sensor editor showing the PT100 fixture's curve
# at 1024x768 under Xvfb. The settings choose the sensor processing with a
# sensor file that is gone, so the start-up opens the editor, which
# preselects the sensor named in the settings.
# Needs the packages xvfb and imagemagick; run after `make` from the top folder.
set -euo pipefail
ziel=$(realpath -m "${1:-pelvaron-sensoreditor.png}")
cd "$(dirname "$0")/.."
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
cp data/* "$ordner"/
cp tests/daten/pt100.pvf "$ordner"/
LC_ALL=C sed -e 's/^\(Aktuelles Messger.t=\)\r$/\1Multimeter (sendet selbst)\r/' \
  -e 's/^Messwertverarbeitung=1\r$/Messwertverarbeitung=3\r/' \
  -e 's/^Sensordatei=\r$/Sensordatei=verschwunden.pvf\r/' \
  -e 's/^Sensorname=\r$/Sensorname=PT100\r/' \
  tests/daten/pelvaron_werkseinstellungen.ini > "$ordner/Pelvaron.ini"
PELVARON_HOME="$ordner" xvfb-run -a -s '-screen 0 1024x768x24' sh -c "
  build/programm/pelvaron & programm=\$!
  sleep 5
  import -window root '$ziel'
  kill \$programm"
echo "$ziel"
