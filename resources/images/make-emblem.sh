#!/bin/sh
# Draws the program's emblem (an open book under a mortarboard, on a round
# badge) with ImageMagick on a 400 x 400 canvas.
#   make-emblem.sh              emblem.png for the splash and About windows
#                               (100 x 100) and emblem-pale.png, the faint copy
#                               behind the pages' controls, beside this script
#   make-emblem.sh --icons DIR  the desktop icon: DIR/<n>x<n>/apps/tamrik.png
#                               for 48, 64, 128 and 256, and DIR/scalable/apps/
#                               tamrik.svg drawn from the same shapes
#   make-emblem.sh --ico FILE   the Windows icon, 16 to 256 pixels in one file
set -e
here=$(cd "$(dirname "$0")" && pwd)

# One shape a line: circle CX CY R FILL | polygon FILL X,Y... | line COLOUR WIDTH X1,Y1 X2,Y2
shapes='circle 200 200 194 #1f3a68
circle 200 200 174 #e8b730
circle 200 200 156 #ffffff
polygon #1f3a68 92,236 196,262 196,330 92,304
polygon #1f3a68 204,262 308,236 308,304 204,330
polygon #ffffff 104,248 188,270 188,314 104,292
polygon #ffffff 212,270 296,248 296,292 212,314
line #1f3a68 4 118,266 176,281
line #1f3a68 4 118,280 176,295
line #1f3a68 4 224,281 282,266
line #1f3a68 4 224,295 282,280
polygon #1f3a68 200,90 318,140 200,190 82,140
polygon #1f3a68 140,166 260,166 260,214 200,234 140,214
line #e8b730 6 200,140 296,160
line #e8b730 6 296,160 296,214
circle 296 222 12 #e8b730'

# The master picture, 400 x 400, into $1.
draw_master() {
  out=$1
  set --
  while read -r kind a b c d rest; do
    case $kind in
      circle) set -- "$@" -stroke none -fill "$d" -draw "circle $a,$b $a,$((b - c))" ;;
      polygon) set -- "$@" -stroke none -fill "$a" -draw "polygon $b $c $d $rest" ;;
      line) set -- "$@" -fill none -stroke "$a" -strokewidth "$b" -draw "line $c $d" ;;
    esac
  done <<EOF
$shapes
EOF
  convert -size 400x400 xc:none "$@" "$out"
}

write_svg() {
  {
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<svg xmlns="http://www.w3.org/2000/svg" width="400" height="400" viewBox="0 0 400 400">'
    echo "$shapes" | while read -r kind a b c d rest; do
      case $kind in
        circle) echo "  <circle cx=\"$a\" cy=\"$b\" r=\"$c\" fill=\"$d\"/>" ;;
        polygon) echo "  <polygon points=\"$(echo "$b $c $d $rest" | sed 's/ *$//')\" fill=\"$a\"/>" ;;
        line) echo "  <line x1=\"${c%,*}\" y1=\"${c#*,}\" x2=\"${d%,*}\" y2=\"${d#*,}\" stroke=\"$a\" stroke-width=\"$b\"/>" ;;
      esac
    done
    echo '</svg>'
  } >"$1"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
draw_master "$work/emblem-big.png"

if [ "${1:-}" = --ico ]; then
  [ -n "${2:-}" ] || { echo "usage: $0 --ico FILE" >&2; exit 2; }
  convert "$work/emblem-big.png" -define icon:auto-resize=256,64,48,32,24,16 "$2"
  exit 0
fi

if [ "${1:-}" = --icons ]; then
  [ -n "${2:-}" ] || { echo "usage: $0 --icons DIR" >&2; exit 2; }
  for n in 48 64 128 256; do
    mkdir -p "$2/${n}x${n}/apps"
    convert "$work/emblem-big.png" -resize "${n}x${n}" -strip -depth 8 "$2/${n}x${n}/apps/tamrik.png"
  done
  mkdir -p "$2/scalable/apps"
  write_svg "$2/scalable/apps/tamrik.svg"
  exit 0
fi

convert "$work/emblem-big.png" -resize 100x100 -strip -depth 8 "$here/emblem.png"
convert "$work/emblem-big.png" -resize 280x280 -channel A -evaluate multiply 0.16 +channel -strip -depth 8 \
  "$here/emblem-pale.png"
