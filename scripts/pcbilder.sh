#!/usr/bin/env bash
# Draws the three computer pictures the main window shows beside the data
# line (double-click cycles them): data/PC0.gif a desktop computer with its
# screen, data/PC1.gif a laptop, data/PC2.gif a tower. Needs imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../data"
gemeinsam=(-size 100x100 xc:none -strokewidth 2 -stroke '#3c3c3c')

# A screen on a stand, the keyboard in front.
convert "${gemeinsam[@]}" \
  -fill '#dcdcdc' -draw 'roundrectangle 15,8 85,62 4,4' \
  -fill '#284678' -draw 'rectangle 21,14 79,56' \
  -fill '#c8c8c8' -draw 'rectangle 42,62 58,72' \
  -fill '#c8c8c8' -draw 'roundrectangle 10,78 90,90 3,3' \
  -stroke none -fill '#7fa7e0' -draw 'polygon 24,52 40,34 52,44 64,26 76,40 76,52' \
  PC0.gif

# A laptop: the open lid and the flat base.
convert "${gemeinsam[@]}" \
  -fill '#d0d0d0' -draw 'roundrectangle 18,14 82,64 3,3' \
  -fill '#1f3d6b' -draw 'rectangle 23,19 77,59' \
  -fill '#bdbdbd' -draw 'polygon 10,70 90,70 98,84 2,84' \
  -stroke '#8a8a8a' -strokewidth 1 -draw 'line 22,76 78,76' \
  -fill none -stroke '#9fd39f' -strokewidth 2 -draw 'polyline 26,50 36,40 46,46 56,30 66,38 74,28' \
  PC1.gif

# A tower beside a small screen.
convert "${gemeinsam[@]}" \
  -fill '#e2e2e2' -draw 'roundrectangle 60,10 92,90 3,3' \
  -fill '#9a9a9a' -draw 'rectangle 66,18 86,24' -draw 'rectangle 66,30 86,36' \
  -fill '#40c040' -draw 'circle 76,78 76,81' \
  -fill '#dcdcdc' -draw 'roundrectangle 6,24 54,64 3,3' \
  -fill '#284678' -draw 'rectangle 11,29 49,59' \
  -fill '#c8c8c8' -draw 'rectangle 24,64 36,74' -draw 'rectangle 14,74 46,80' \
  PC2.gif
