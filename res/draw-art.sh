#!/usr/bin/env bash
# Draws the program's own artwork once: the 400 x 120 login banner and the
# program icon. The results are committed; run again only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# Banner: a calm blue-to-teal gradient, two soft rings, the name and a line.
convert -size 120x400 gradient:'#2b5fa8'-'#2aa198' -rotate -90 \
  -fill none -stroke 'rgba(255,255,255,0.18)' -strokewidth 14 -draw 'circle 350,20 350,95' \
  -stroke 'rgba(255,255,255,0.10)' -strokewidth 8 -draw 'circle 300,110 300,150' \
  -stroke none -fill 'rgba(255,255,255,0.92)' -draw 'roundrectangle 28,36 76,84 12,12' \
  -fill '#2b6fa8' -font "$FONT" -pointsize 34 -annotate +40+72 'V' \
  -fill white -pointsize 34 -annotate +92+72 'Vocara' \
  -fill 'rgba(255,255,255,0.85)' -pointsize 14 -annotate +94+96 '每天进步一点点' \
  -strip -quality 92 -sampling-factor 1x1 banner.jpg

# Icon: the rounded "V" tile in the sizes the shell asks for.
convert -size 256x256 xc:none \
  -fill '#2b5fa8' -draw 'roundrectangle 8,8 247,247 48,48' \
  -fill '#2aa198' -draw 'polygon 8,180 247,120 247,200 200,247 56,247 8,200' \
  -fill white -font "$FONT" -pointsize 190 -gravity center -annotate +0+6 'V' \
  -depth 8 -define icon:auto-resize=256,48,32,16 vocara.ico
