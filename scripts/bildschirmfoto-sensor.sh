#!/usr/bin/env bash
# Takes a screenshot of the sensor editor showing the PT100 fixture's curve
# at 1024x768 under Xvfb. The settings choose the sensor processing with a
# sensor file that is gone, so the start-up opens the editor, which
# preselects the sensor named in the settings.
# Needs the packages xvfb and imagemagick; run after `make` from the top folder.
set -euo pipefail
ziel=$(realpath -m "${1:-pelvaron-sensoreditor.png}")
cd "$(dirname "$0")/.."
ZUSATZDATEIEN=tests/daten/pt100.pvf \
EINSTELLUNGEN='s/^Messwertverarbeitung=1\r$/Messwertverarbeitung=3\r/; s/^Sensordatei=\r$/Sensordatei=verschwunden.pvf\r/; s/^Sensorname=\r$/Sensorname=PT100\r/' \
  exec scripts/bildschirmfoto.sh "$ziel"
