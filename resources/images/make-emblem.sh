#!/bin/sh
# Draws the program's emblem (an open book under a mortarboard, on a round
# badge) with ImageMagick: emblem.png for the splash and About windows
# (100 x 100) and emblem-pale.png, the faint copy behind the pages' controls.
set -e
cd "$(dirname "$0")"
convert -size 400x400 xc:none \
  -fill '#1f3a68' -draw 'circle 200,200 200,6' \
  -fill '#e8b730' -draw 'circle 200,200 200,26' \
  -fill '#ffffff' -draw 'circle 200,200 200,44' \
  -fill '#1f3a68' -draw 'polygon 92,236 196,262 196,330 92,304' \
  -fill '#1f3a68' -draw 'polygon 204,262 308,236 308,304 204,330' \
  -fill '#ffffff' -draw 'polygon 104,248 188,270 188,314 104,292' \
  -fill '#ffffff' -draw 'polygon 212,270 296,248 296,292 212,314' \
  -stroke '#1f3a68' -strokewidth 4 -draw 'line 118,266 176,281' -draw 'line 118,280 176,295' \
  -draw 'line 224,281 282,266' -draw 'line 224,295 282,280' -stroke none \
  -fill '#1f3a68' -draw 'polygon 200,90 318,140 200,190 82,140' \
  -fill '#1f3a68' -draw 'polygon 140,166 260,166 260,214 200,234 140,214' \
  -stroke '#e8b730' -strokewidth 6 -draw 'line 200,140 296,160' -draw 'line 296,160 296,214' -stroke none \
  -fill '#e8b730' -draw 'circle 296,222 296,210' \
  emblem-big.png
convert emblem-big.png -resize 100x100 -strip -depth 8 emblem.png
convert emblem-big.png -resize 280x280 -channel A -evaluate multiply 0.16 +channel -strip -depth 8 emblem-pale.png
rm emblem-big.png
