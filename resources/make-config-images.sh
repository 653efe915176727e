#!/usr/bin/env bash
# Draws the settings dialog's small images and writes them beside this script: the check list's three
# check boxes (13 x 12, 24-bit bitmaps) and the About box's icon (32 x 32, 32-bit). The files are
# committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"

bytes=""
u8() { bytes+=$(printf '\\x%02x' $(($1 & 255))); }
u16() { u8 "$1"; u8 $(($1 >> 8)); }
u32() { u16 $(($1 & 65535)); u16 $(($1 >> 16 & 65535)); }
rgb() { u8 $(($1 & 255)); u8 $(($1 >> 8 & 255)); u8 $(($1 >> 16 & 255)); } # 0xRRGGBB, stored B G R
flush() { printf '%b' "$bytes" >"$1"; bytes=""; }

# The classic check mark, 7 x 7, placed at (3, 3).
mark=("......X" ".....XX" "X...XXX" "XX.XXX." "XXXXX.." ".XXX..." "..X....")
# check_box KIND FILE: KIND is checked, partly or unchecked.
check_box() {
  local kind=$1 w=13 h=12 row=$((13 * 3 + 1))
  u8 66; u8 77; u32 $((54 + row * h)); u32 0; u32 54
  u32 40; u32 $w; u32 $h; u16 1; u16 24; u32 0; u32 $((row * h)); u32 2835; u32 2835; u32 0; u32 0
  local x y c inside=0xFFFFFF ink=0x000000
  [ "$kind" = partly ] && inside=0xC0C0C0 ink=0x808080
  for ((y = h - 1; y >= 0; y--)); do
    for ((x = 0; x < w; x++)); do
      if ((x == 12)); then c=0xFFFFFF
      elif ((x == 0 || y == 0 || x == 11 || y == 11)); then c=0x808080
      else
        c=$inside
        local mx=$((x - 3)) my=$((y - 3))
        if [ "$kind" != unchecked ] && ((mx >= 0 && mx < 7 && my >= 0 && my < 7)) && [ "${mark[my]:mx:1}" = X ]; then c=$ink; fi
      fi
      rgb $c
    done
    u8 0
  done
  flush "$2"
}
check_box checked check_checked.bmp
check_box partly check_partly.bmp
check_box unchecked check_unchecked.bmp

# A framed picture: sky, a sun and a hill.
n=32 xor=$((32 * 32 * 4)) and=$((32 * 4))
u16 0; u16 1; u16 1
u8 $n; u8 $n; u8 0; u8 0; u16 1; u16 32; u32 $((40 + xor + and)); u32 22
u32 40; u32 $n; u32 $((2 * n)); u16 1; u16 32; u32 0; u32 $((xor + and)); u32 0; u32 0; u32 0; u32 0
for ((y = n - 1; y >= 0; y--)); do
  for ((x = 0; x < n; x++)); do
    dx=$((x - 21)) dy=$((y - 10)) hill=$(((x - 12) * (x - 12) / 14 + 19))
    if ((x < 2 || y < 2 || x > 29 || y > 29)); then c=0x5A3A1A
    elif ((dx * dx + dy * dy <= 20)); then c=0xFFD030
    elif ((y >= hill)); then c=0x3C8B2E
    else c=$((0x80C0F0 - y * 3))
    fi
    rgb $c; u8 255
  done
done
for ((i = 0; i < and; i++)); do u8 0; done
flush about.ico
