#!/usr/bin/env bash
# Plays the sample project as a Windows user would: generates its media and packs it onto screensaver.scr
# with the Windows tools, runs "/s", captures the virtual screen and checks what is on it — the first slide
# with its title, description and solid background, then the second slide with its gradient after the
# display time.
# Usage: show_e2e.sh SCR MKDEMO SCRPACK MANIFEST WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
scr=$1 mkdemo=$2 scrpack=$3 manifest=$4 work=$5
rm -rf "$work" && mkdir -p "$work/demo/media" "$work/run" || exit 1
wine_tool() { timeout -k 5 60 wine "$@" </dev/null 2>&1 | tr -d '\r'; }

# --- the sample project, made and packed by the Windows programs
wine_tool "$mkdemo" "$(winpath "$work/demo/media")" >"$work/mkdemo.txt"
cp "$manifest" "$work/demo/manifest.toml"
saver=$work/run/screensaver.scr
wine_tool "$scrpack" pack "$(winpath "$work/demo/manifest.toml")" -o "$(winpath "$saver")" \
  --runtime "$(winpath "$scr")" >"$work/scrpack.txt"
if [ ! -s "$saver" ]; then
  fail "cannot pack the sample project"; sed 's/^/    /' "$work/mkdemo.txt" "$work/scrpack.txt"; exit 1
fi

# --- user settings: mouse movement and other events do not close the show (Wine centres the cursor once
# when its desktop comes up), Escape does. 18 little-endian values; the ones that matter here are fields 1
# (any event) and 2 (mouse movement).
user_settings 'HKCU\Software\quillmark\Quillmark Demo' 5 0 0 0 1 1 1 1 0 65 1 0 60 20 0 1 25 1 ||
  fail "cannot write the user settings"

log=$work/run/kado.log
: >"$log"
timeout -k 5 90 wine "$saver" /s </dev/null >"$work/out.txt" 2>&1 &
pid=$!
# count NAME WxH+X+Y COLOUR: how many pixels of the area have exactly the colour.
count() { convert "$work/$1.png" -crop "$2" +repage txt:- 2>/dev/null | grep -ci "$3"; }
# colours NAME WxH+X+Y: how many different colours the area has.
colours() { convert "$work/$1.png" -crop "$2" +repage -format '%k' info: 2>/dev/null; }
pixel() { convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: 2>/dev/null; }
# wait_lines TEXT N SECONDS: waits until the log has N lines with TEXT.
wait_lines() {
  for _ in $(seq $(($3 * 10))); do
    [ "$(tr -d '\r' <"$log" | grep -cF "$1")" -ge "$2" ] && return 0; alive || break; sleep 0.1
  done
  return 1
}

# --- the first slide: Sunrise, 800 by 600, fitted to 1280 by 960 on the 1280 by 1024 screen, so bars of
# its solid #101830 background stay above and below; the title in #FFE080 at the top, the description
# in white at the bottom.
# The first music track and the slide's bound sound open their sound devices while the slide comes up: on a
# busy machine that holds the window's first paint back for a while, so the screen is looked at until it shows
# the slide.
first_shown() {
  for _ in $(seq 50); do shot first; [ "$(pixel first 5 5)" = 101830 ] && return 0; sleep 0.2; done
  return 1
}
if wait_for "Media name = sunrise.jpg" 30 && wait_for "end a transition show" 10 && first_shown; then
  sleep 0.5
  shot first
  bars="$(pixel first 5 5) $(pixel first 1275 8) $(pixel first 5 1020) $(pixel first 1275 1020)"
  [ "$bars" = "101830 101830 101830 101830" ] && pass "first slide: solid background above and below" ||
    fail "first slide: corners are $bars, not the #101830 background"
  title=$(count first 280x32+500+0 '#FFE080')
  [ "${title:-0}" -ge 100 ] && pass "first slide: title drawn in its colour at the top ($title pixels)" ||
    fail "first slide: ${title:-0} title pixels at the top"
  description=$(count first 480x32+400+992 '#FFFFFF')
  [ "${description:-0}" -ge 50 ] && pass "first slide: description drawn at the bottom ($description pixels)" ||
    fail "first slide: ${description:-0} description pixels at the bottom"
  # The sun sits at 62 % across and 55 % down the picture: yellow, where the picture is scaled to.
  sun=$(pixel first 794 560)
  [ $((16#${sun:0:2})) -ge 200 ] && [ $((16#${sun:2:2})) -ge 180 ] && [ $((16#${sun:4:2})) -le 160 ] &&
    pass "first slide: the picture fills the frame between the bars" || fail "first slide: the sun is $sun"
else
  fail "the first slide was not shown"; tr -d '\r' <"$log" | sed 's/^/    /'
fi

# --- after the display time (6 s): Rings, a tall picture, with its gradient background at both sides
if wait_for "Media name = rings.png" 15 && wait_for "transition effect index = " 5; then
  # The first slide's bound chime holds the display time until the sound player sees its end, at its first
  # check a second after the slide started; the 6 s count from the later of that and the transition's end.
  shown=$(tick "Media name = sunrise.jpg") next=$(tick "Media name = rings.png")
  waited=$(( ${next:-0} - ${shown:-0} ))
  [ "$waited" -ge 6800 ] && [ "$waited" -le 8500 ] && pass "second slide after the display time (${waited} ms)" ||
    fail "second slide came ${waited} ms after the first started, not 6 s after the first slide and its sound"
  # The slide's effects (block spirals, circle, diamond, ellipse) take a few seconds; look once it has ended.
  wait_lines "end a transition show" 2 30 || fail "the second slide's transition did not end"
  sleep 0.5
  shot second
  left=$(colours second 340x1024+0+0) right=$(colours second 340x1024+940+0)
  dark=$(( $(count second 340x1024+0+0 '#101830') + $(count second 340x1024+940+0 '#101830') ))
  [ "${left:-0}" -ge 50 ] && [ "${right:-0}" -ge 50 ] && [ "$dark" = 0 ] &&
    pass "second slide: gradient background at both sides ($left and $right colours)" ||
    fail "second slide: sides have $left and $right colours, $dark pixels of the first background"
  title=$(count second 120x40+0+0 '#FFFFFF')
  [ "${title:-0}" -ge 50 ] && pass "second slide: title at the top left" ||
    fail "second slide: ${title:-0} title pixels at the top left"
else
  fail "the second slide was not shown"; tr -d '\r' <"$log" | sed 's/^/    /'
fi

# --- Escape ends the show
xdotool key Escape
for _ in $(seq 100); do alive || break; sleep 0.1; done
if alive; then fail "Escape did not end the show"; kill "$pid"; wait "$pid" 2>/dev/null; else
  wait "$pid"; pass "Escape ends the show"; fi
echo "show e2e: $failures failure(s)"
[ "$failures" = 0 ]
