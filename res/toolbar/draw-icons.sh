#!/usr/bin/env bash
# Draws the study window's seven 16 x 16 tool-bar icons (PNG with alpha), in
# the order of their image indexes. The results are committed; run again only
# to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

icon() { # file, then ImageMagick drawing arguments on a transparent 16 x 16
  local file=$1; shift
  convert -size 16x16 xc:none "$@" -depth 8 -define png:color-type=6 -strip "$file"
}

# 0 history: a clock face
icon 0-history.png -fill '#2b6fa8' -draw 'circle 7.5,7.5 7.5,0.5' \
  -fill white -draw 'circle 7.5,7.5 7.5,2' \
  -stroke '#2b6fa8' -strokewidth 1.5 -draw 'line 7.5,7.5 7.5,3.5' -draw 'line 7.5,7.5 10.5,9'
# 1 settings: a gear
icon 1-settings.png -fill '#5b6b7a' -draw 'circle 7.5,7.5 7.5,1.5' \
  -draw 'rectangle 6,0 9,15' -draw 'rectangle 0,6 15,9' \
  -draw 'polygon 1,3 3,1 14,12 12,14' -draw 'polygon 12,1 14,3 3,14 1,12' \
  -fill none -draw 'circle 7.5,7.5 7.5,5.5' -fill white -draw 'circle 7.5,7.5 7.5,5.5'
# 2 book
icon 2-book.png -fill '#2aa198' -draw 'roundrectangle 2,1 13,14 2,2' \
  -fill white -draw 'rectangle 4,3 11,4' -draw 'rectangle 4,6 9,7'
# 3 hide: an arrow down into a tray
icon 3-hide.png -fill '#5b6b7a' -draw 'rectangle 1,12 14,14' \
  -fill '#2b6fa8' -draw 'polygon 7.5,11 2,5 5.5,5 5.5,1 9.5,1 9.5,5 13,5'
# 4 star
icon 4-star.png -fill '#e6a817' -draw 'polygon 7.5,0.5 9.5,5.5 15,5.8 10.8,9.3 12.2,14.8 7.5,11.8 2.8,14.8 4.2,9.3 0,5.8 5.5,5.5'
# 5 plan: a calendar page with ticks
icon 5-plan.png -fill '#2b6fa8' -draw 'roundrectangle 1,2 14,14 2,2' \
  -fill white -draw 'rectangle 3,6 12,12' \
  -fill '#2b6fa8' -draw 'rectangle 4,0 5,3' -draw 'rectangle 10,0 11,3' \
  -fill '#2aa198' -draw 'rectangle 4,7 6,8' -draw 'rectangle 8,7 10,8' -draw 'rectangle 4,10 6,11'
# 6 home: a house
icon 6-home.png -fill '#2b6fa8' -draw 'polygon 7.5,0.5 15,7.5 12.5,7.5 12.5,14.5 2.5,14.5 2.5,7.5 0,7.5' \
  -fill white -draw 'rectangle 6,9 9,14.5'
