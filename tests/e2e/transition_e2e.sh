#!/usr/bin/env bash
# A slow transition under Wine: the screen part-way through shows part of the slide over its gradient
# background, and once the transition has ended the whole screen equals the frame the Linux renderer makes of
# the same project at the same time: both builds compute the same picture size, gradient and effect pixels.
# Then the next item fades in: part-way through, the screen is a blend of the two slides.
# Usage: transition_e2e.sh SCR SCRPACK NATIVE_SCREENSAVER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
scr=$1 scrpack=$2 native=$3 work=$4
rm -rf "$work" && mkdir -p "$work/project" "$work/run" "$work/linux" || exit 1
wine_tool() { timeout -k 5 60 wine "$@" </dev/null 2>&1 | tr -d '\r'; }

# A 640 by 488 picture fits the 1280 by 1024 screen as 1280 by 976 (975 if the size's quotient were rounded to
# single precision), leaving 24 rows of the gradient above and below it.
convert -size 640x488 gradient:'#20e0ff'-'#ff2060' -fill '#ffff00' -draw 'circle 320,244 320,120' \
  -fill '#000000' -draw 'rectangle 0,0 639,3' "$work/project/picture.png" || { fail "cannot make the picture"; exit 1; }
convert -size 640x488 xc:'#0000ff' "$work/project/blue.png" || { fail "cannot make the second picture"; exit 1; }
cat >"$work/project/manifest.toml" <<'TOML'
[project]
name = "Transition Test.kdp"
app_name = "Transition Test"
[options]
display_time = 12
scale_mode = "fit"
slide_background = "whole-window"
[[media]]
file = "picture.png"
[media.background]
solid = false
gradient = true
gradient_from = "#563412"
gradient_to = "#FF0000"
gradients = [0]
[media.transition]
effects = ["Zig-zag down"]
random = false
[[media]]
file = "blue.png"
[media.background]
solid = false
gradient = true
gradient_from = "#563412"
gradient_to = "#FF0000"
gradients = [0]
[media.transition]
effects = ["Fade"]
speed = 5
TOML
saver=$work/run/screensaver.scr
wine_tool "$scrpack" pack "$(winpath "$work/project/manifest.toml")" -o "$(winpath "$saver")" \
  --runtime "$(winpath "$scr")" >"$work/scrpack.txt"
[ -s "$saver" ] || { fail "cannot pack the project"; sed 's/^/    /' "$work/scrpack.txt"; exit 1; }

# Movement does not close the show (Wine centres the cursor once), Escape does.
user_settings 'HKCU\Software\quillmark\Transition Test' 5 0 0 0 1 1 1 1 0 65 1 0 60 20 0 1 25 1 ||
  fail "cannot write the user settings"

log=$work/run/kado.log
: >"$log"
timeout -k 5 90 wine "$saver" /s </dev/null >"$work/out.txt" 2>&1 &
pid=$!
# differing A B: how many pixels of the two screen pictures differ.
differing() { compare -metric AE "$work/$1.png" "$2" null: 2>&1 | sed 's/[^0-9].*//'; }

# The zig-zag copies one of 400 cells every 25 ms: about ten seconds from first to last.
if wait_for "begin a transition show" 30; then
  sleep 4
  shot middle
  wait_for "end a transition show" 40 || fail "the transition did not end"
  sleep 1
  shot final
  # The fade: 250 frames of 20 ms at speed 5, a shot half-way through.
  if wait_for "transition effect index = 161 " 30; then
    sleep 2.5
    shot fade
  else
    fail "the fade did not begin"
  fi
else
  fail "no transition began"; tr -d '\r' <"$log" | sed 's/^/    /'
fi
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null

# Mid-fade the yellow circle of the first slide and the blue of the second mix at the centre: red and blue
# both part-way, as neither slide alone has them.
if [ -f "$work/fade.png" ]; then
  centre=$(convert "$work/fade.png" -format '%[hex:p{640,512}]' info: 2>/dev/null)
  red=$((16#${centre:0:2})) blue=$((16#${centre:4:2}))
  [ "$red" -gt 32 ] && [ "$red" -lt 224 ] && [ "$blue" -gt 32 ] && [ "$blue" -lt 224 ] &&
    pass "half-way through the fade the two slides blend (centre #$centre)" ||
    fail "half-way through the fade the centre is #$centre, not a blend of yellow and blue"
fi

# The same project rendered on Linux, 20 s at one frame a second: frame 15 shows the slide long after its
# transition ended.
if [ -x "$native" ] && "$native" render "$saver" --out "$work/linux" --size 1280x1024 --seconds 20 --fps 1 \
  >"$work/render.txt" 2>&1; then
  linux=$work/linux/frame-00015.png
  if [ -f "$work/final.png" ]; then
    d=$(differing final "$linux")
    [ "${d:-1}" = 0 ] && pass "the Windows screen equals the Linux frame, pixel for pixel" ||
      fail "the Windows screen and the Linux frame differ in ${d:-?} pixels"
  fi
  if [ -f "$work/middle.png" ]; then
    # Part-way through, some but not all of the slide's area already shows the final picture.
    convert "$work/middle.png" -crop 1280x976+0+24 +repage "$work/middle-slide.png"
    convert "$linux" -crop 1280x976+0+24 +repage "$work/final-slide.png"
    shown=$((1280 * 976 - $(compare -metric AE "$work/middle-slide.png" "$work/final-slide.png" null: 2>&1 |
      sed 's/[^0-9].*//')))
    total=$((1280 * 976))
    [ "$shown" -gt $((total / 20)) ] && [ "$shown" -lt $((total * 19 / 20)) ] &&
      pass "part-way through the slide is partly revealed ($shown of $total pixels)" ||
      fail "part-way through $shown of $total slide pixels were shown"
    convert "$work/middle.png" -crop 1280x24+0+0 +repage "$work/middle-top.png"
    convert "$linux" -crop 1280x24+0+0 +repage "$work/final-top.png"
    bars=$(compare -metric AE "$work/middle-top.png" "$work/final-top.png" null: 2>&1 | sed 's/[^0-9].*//')
    [ "${bars:-1}" = 0 ] && pass "the gradient above the slide is there from the start" ||
      fail "the gradient above the slide differs in ${bars:-?} pixels part-way through"
  fi
else
  fail "the Linux renderer ($native) did not render the project"; sed 's/^/    /' "$work/render.txt" 2>/dev/null
fi
echo "transition e2e: $failures failure(s)"
[ "$failures" = 0 ]
