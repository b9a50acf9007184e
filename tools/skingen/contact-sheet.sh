#!/bin/bash
# Makes docs/skin-contact-sheet.png from a folder written by skingen: a small window put
# together from the skin's pieces, then every image of the skin enlarged 4 times.
# usage: tools/skingen/contact-sheet.sh SKINDIR OUT.png
set -euo pipefail
src=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bg='#D8DCE0'
font=DejaVu-Sans

# --- a sample window: 4-pixel sides, 30-pixel title, the middles stretched ---
W=320 H=150
crop() { convert "$src/$1" -crop "$2" +repage "$work/$3"; }
# left and right: top 30 and bottom 5 kept, middle stretched
for side in left right; do
  crop $side.bmp 4x30+0+0 ${side}_t.png
  crop $side.bmp 4x19+0+30 ${side}_m.png
  crop $side.bmp 4x5+0+49 ${side}_b.png
  convert "$work/${side}_m.png" -filter point -resize "4x$((H - 35))!" "$work/${side}_m.png"
  convert "$work/${side}_t.png" "$work/${side}_m.png" "$work/${side}_b.png" -append "$work/$side.png"
done
crop top.bmp 8x30+0+0 top_l.png
crop top.bmp 24x30+8+0 top_m.png
crop top.bmp 8x30+32+0 top_r.png
convert "$work/top_m.png" -filter point -resize "$((W - 8 - 16))x30!" "$work/top_m.png"
convert "$work/top_l.png" "$work/top_m.png" "$work/top_r.png" +append "$work/top.png"
crop bottom.bmp 4x4+0+0 bot_l.png
crop bottom.bmp 32x4+4+0 bot_m.png
crop bottom.bmp 4x4+36+0 bot_r.png
convert "$work/bot_m.png" -filter point -resize "$((W - 8 - 8))x4!" "$work/bot_m.png"
convert "$work/bot_l.png" "$work/bot_m.png" "$work/bot_r.png" +append "$work/bottom.png"
for b in close max min; do crop $b.bmp 30x22+0+0 $b.png; done
# nine IMAGE X Y FW FH L T R B W H OUT: frame (X, Y, FW x FH) nine-sliced to W x H, corners kept.
nine() {
  local img=$1 x=$2 y=$3 fw=$4 fh=$5 l=$6 t=$7 r=$8 b=$9 w=${10} h=${11} o=${12}
  local mw=$((fw - l - r)) mh=$((fh - t - b)) tw=$((w - l - r)) th=$((h - t - b))
  piece() { convert "$src/$img" -crop "$1x$2+$((x + $3))+$((y + $4))" +repage -filter point -resize "$5x$6!" "$work/p_$7.png"; }
  piece $l $t 0 0 $l $t tl; piece $mw $t $l 0 $tw $t tm; piece $r $t $((fw - r)) 0 $r $t tr
  piece $l $mh 0 $t $l $th ml; piece $mw $mh $l $t $tw $th mm; piece $r $mh $((fw - r)) $t $r $th mr
  piece $l $b 0 $((fh - b)) $l $b bl; piece $mw $b $l $((fh - b)) $tw $b bm; piece $r $b $((fw - r)) $((fh - b)) $r $b br
  convert \( "$work/p_tl.png" "$work/p_tm.png" "$work/p_tr.png" +append \) \
          \( "$work/p_ml.png" "$work/p_mm.png" "$work/p_mr.png" +append \) \
          \( "$work/p_bl.png" "$work/p_bm.png" "$work/p_br.png" +append \) -append -transparent '#FF00FF' "$work/$o"
}
nine buttons.bmp 0 0 24 24 4 4 4 4 88 26 button.png
nine buttons.bmp 96 0 24 24 4 4 4 4 88 26 default.png
nine sunkedge.bmp 72 0 24 21 3 3 3 3 150 23 edit.png
nine progress.bmp 0 0 24 14 5 4 5 4 150 12 ptrack.png
nine progress.bmp 24 0 24 14 5 4 5 4 96 12 pbar.png
nine tabs.bmp 24 0 24 24 4 4 4 3 70 24 tab2.png
nine tabs.bmp 0 0 24 24 4 4 4 3 70 22 tab1.png
crop check.bmp 13x13+13+0 check.png
crop radio.bmp 13x13+13+0 radio.png
# caption underline: caps 4, middle repeated
crop textback.bmp 16x30+0+0 tb.png
convert "$work/tb.png" -filter point -resize 120x30! -transparent '#FF00FF' "$work/tb.png"
for f in check radio close max min; do convert "$work/$f.png" -transparent '#FF00FF' "$work/$f.png"; done

convert -size ${W}x${H} xc:'#F3F4F6' \
  "$work/left.png" -geometry +0+0 -composite \
  "$work/right.png" -geometry +$((W - 4))+0 -composite \
  "$work/top.png" -geometry +4+0 -composite \
  "$work/bottom.png" -geometry +4+$((H - 4)) -composite \
  "$work/tb.png" -geometry +26+0 -composite \
  "$work/tab1.png" -geometry +180+44 -composite \
  "$work/tab2.png" -geometry +246+42 -composite \
  "$work/close.png" -geometry +$((W - 36))+4 -composite \
  "$work/max.png" -geometry +$((W - 66))+4 -composite \
  "$work/min.png" -geometry +$((W - 96))+4 -composite \
  "$work/edit.png" -geometry +16+44 -composite \
  "$work/check.png" -geometry +16+78 -composite \
  "$work/radio.png" -geometry +182+78 -composite \
  "$work/ptrack.png" -geometry +16+102 -composite \
  "$work/pbar.png" -geometry +16+102 -composite \
  "$work/default.png" -geometry +$((W - 196))+$((H - 38)) -composite \
  "$work/button.png" -geometry +$((W - 100))+$((H - 38)) -composite \
  -font $font -pointsize 12 -fill '#202020' \
  -annotate +12+21 '●' -annotate +34+20 'Lumetta Options' \
  -annotate +22+60 'Edit text' -annotate +34+89 'Start with Windows' -annotate +200+89 'Magic' -annotate +196+60 'Tab' -annotate +262+59 'Tab' \
  -annotate +$((W - 168))+$((H - 20)) 'OK' -annotate +$((W - 76))+$((H - 20)) 'Cancel' \
  "$work/window.png"
# Magenta is transparent: show the window on a desktop colour, enlarged twice.
convert -size $((W + 40))x$((H + 40)) xc:'#5B7A93' \
  \( "$work/window.png" -transparent '#FF00FF' \) -geometry +20+20 -composite \
  -filter point -resize 300% "$work/preview.png"

# --- every image, 4 times its size, with its name and size ---
rows=()
i=0
while read -r name; do
  [[ $name == *.bmp ]] || continue
  i=$((i + 1))
  convert "$src/$name" -filter point -resize 400% -bordercolor "$bg" -border 6 "$work/big.png"
  convert -background "$bg" -font $font -pointsize 15 label:"${name%.bmp}\n$(identify -format '%wx%h' "$src/$name")" \
    -gravity west -extent 150x40 "$work/label.png"
  convert "$work/label.png" "$work/big.png" -background "$bg" -gravity center +append "$work/row$(printf %02d $i).png"
  rows+=("$work/row$(printf %02d $i).png")
done < "$src/order.txt"
half=$(((${#rows[@]} + 1) / 2))
convert "${rows[@]:0:half}" -background "$bg" -gravity west -append "$work/colA.png"
convert "${rows[@]:half}" -background "$bg" -gravity west -append "$work/colB.png"
convert "$work/colA.png" "$work/colB.png" -background "$bg" -gravity north +append "$work/images.png"
convert -background "$bg" -font $font -pointsize 22 label:'Lumetta Mist: the built-in skin (magenta is transparent)' \
  "$work/preview.png" "$work/images.png" -gravity center -append -bordercolor "$bg" -border 10 "$out"
