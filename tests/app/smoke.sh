#!/usr/bin/env bash
# Starts Quenlor.exe under Wine on the test display with the library
# remembering the Yellow skin, waits for its window, checks its size and
# colour, then saves screenshots under build/screens: every page in every
# skin (and a contact sheet of them), and the window maximised. It ends in
# the Blue skin, which the library then remembers.
set -euo pipefail
exe=$1 screens=$2
source "$(dirname "$0")/../../scripts/wine-env"
mkdir -p "$screens"
wine reg add 'HKCU\Software\Mobrel\Quenlor' /v Skin /t REG_DWORD /d 4 /f >/dev/null 2>&1
wine "$exe" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Quenlor$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no Quenlor window appeared"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WIDTH x $HEIGHT at $X,$Y"
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screens/$1.png"; }
# The colour of a point of the window, as ImageMagick names it.
colour() { import -window root -crop "1x1+$((X + $1))+$((Y + $2))" +repage -format '%[pixel:p{0,0}]' info:; }
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 mousemove $((X + 300)) $((Y + 28)) sleep 0.4; }
shot main-window
[ "$WIDTH" = 700 ] && [ "$HEIGHT" = 524 ] || { echo "expected a 700 x 524 window"; exit 1; }
started=$(colour 300 28)
[ "$started" = "srgb(231,137,58)" ] || { echo "expected the remembered Yellow skin, found $started"; exit 1; }

# Skin buttons from the left: Green, Red, Yellow, Blue, Black; tabs from 12 on, 115 apart.
skins=(green red yellow blue black)
for i in 0 1 2 3 4; do
  click $((532 + 15 * i)) 11
  for page in 1 2 3 4; do
    click $((12 + 115 * (page - 1) + 64)) 55
    shot "${skins[$i]}-page$page"
  done
done
click $((12 + 64)) 55
montage "$screens"/{green,red,yellow,blue,black}-page{1,2,3,4}.png -tile 4x5 -geometry 350x262+4+4 \
  "$screens/contact-sheet.png"
click 570 11
click 639 9
eval "$(xdotool getwindowgeometry --shell "$window")"
shot maximised
echo "screenshots in $screens"
