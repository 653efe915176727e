#!/usr/bin/env bash
# The live show on Linux, whole program, on a virtual display of its own: the sample project played in a
# window (its first slide's pixels, the second slide after the display time, the close rules of the user
# settings), drawn into another program's window (resized while it plays, ended by SIGTERM with nothing
# left behind), and a video project with a stored WAV track, with no sound device and with ALSA's null
# device.
# Usage: live_e2e.sh SCREENSAVER SCRPACK MANIFEST HELPER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QM_LIVE_E2E_DISPLAY:-}" ]; then
  QM_LIVE_E2E_DISPLAY=1 exec "$here/../../scripts/with-xvfb" bash "$0" "$@"
fi
saver=$1 scrpack=$2 manifest=$3 helper=$4 work=$5
rm -rf "$work" && mkdir -p "$work/tmp" "$work/config" "$work/home" "$work/run" && chmod 700 "$work/run" || exit 1
# A session's runtime folder, as a desktop has one (the sound server's client keeps its files there).
export TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/run
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
source "$here/live_common.sh"

# --- the sample project packed onto the native runtime: a program that plays itself, with a log beside it
show=$work/demo.scr
"$scrpack" pack "$manifest" -o "$show" --runtime "$saver" >"$work/scrpack.txt" 2>&1 && chmod +x "$show" ||
  { fail "cannot pack the sample project"; cat "$work/scrpack.txt"; exit 1; }
log=$work/kado.log
: >"$log"
# Neither any event nor Escape closes; the mouse closes beyond 20 pixels, Q closes.
"$show" settings "$show" --set any-event=off --set mouse-move=on --set mouse-threshold=20 --set esc-key=off \
  --set enter-key=off --set specified-key=on --set key=Q >/dev/null || fail "cannot store the user settings"

# --- play --window: the pointer rests over the window, where the show reads its reference point
xdotool mousemove 640 512
timeout -k 5 60 "$show" play --window --size 1280x720 >"$work/play.txt" 2>&1 &
pid=$!
window=$(find_window "Quillmark Demo" 10)
if [ -n "$window" ] && wait_for "end a transition show" 15; then
  shot_until "$window" first 1275 714 101830 3
  # Sunrise (800 x 600) fitted to 960 x 720 in the middle of the 1280 x 720 window; its solid #101830
  # background on both sides, the title in #FFE080 at the top, the sun at 62 % across and 55 % down.
  sides="$(pixel first 5 5) $(pixel first 1275 714)"
  [ "$sides" = "101830 101830" ] && pass "first slide: its background at both sides" ||
    fail "first slide: sides are $sides, not #101830"
  title=$(count first 300x40+490+0 '#FFE080')
  [ "${title:-0}" -ge 100 ] && pass "first slide: its title at the top ($title pixels)" ||
    fail "first slide: ${title:-0} title pixels"
  sun=$(pixel first 755 396)
  [ $((16#${sun:0:2})) -ge 200 ] && [ $((16#${sun:2:2})) -ge 180 ] && [ $((16#${sun:4:2})) -le 160 ] &&
    pass "first slide: the picture fills its frame" || fail "first slide: the sun is $sun"
else
  fail "the first slide was not shown"; cat "$work/play.txt" "$log"
fi

if wait_for "Media name = rings.png" 15 && wait_for_count "end a transition show" 2 10; then
  shown=$(tick "Media name = sunrise.jpg") next=$(tick "Media name = rings.png")
  waited=$(( ${next:-0} - ${shown:-0} ))
  # The display time (6 s) counts from the later of the transition's end and the bound chime's end.
  [ "$waited" -ge 6000 ] && [ "$waited" -le 9500 ] && pass "second slide after the display time (${waited} ms)" ||
    fail "second slide ${waited} ms after the first"
  sleep 0.3
  shot "$window" second
  left=$(colours second 300x720+0+0) right=$(colours second 300x720+980+0)
  [ "${left:-0}" -ge 50 ] && [ "${right:-0}" -ge 50 ] && pass "second slide: its gradient at both sides" ||
    fail "second slide: sides have $left and $right colours"
else
  fail "the second slide was not shown"; cat "$work/play.txt"
fi

# A move within the threshold and Escape leave the show running; Q ends it.
xdotool mousemove 650 517
xdotool key Escape
sleep 1
alive "$pid" && pass "a small move and Escape do not close the show" || fail "the show closed on a small move or Escape"
xdotool key q
if ended "$pid" 3; then
  wait "$pid"; status=$?
  [ "$status" = 0 ] && pass "Q closes the show, exit status 0" || fail "exit status $status after Q"
else
  fail "Q did not close the show"; kill "$pid"; wait "$pid" 2>/dev/null
fi
grep -v "no sound device" "$work/play.txt" | grep . && fail "the show wrote more than the sound notice"

# --- --window-id: inside another program's window, which is resized while the show plays
"$helper" window 640 400 >"$work/host.txt" &
host_pid=$!
for _ in $(seq 50); do [ -s "$work/host.txt" ] && break; sleep 0.1; done
host=$(head -n1 "$work/host.txt")
: >"$log"
timeout -k 5 60 "$show" --window-id "$host" "$show" >"$work/embed.txt" 2>&1 &
pid=$!
if wait_for "end a transition show" 15; then
  shot_until "$host" embedded 636 396 101830 3
  # 800 x 600 fitted to 533 x 400 in the middle of 640 x 400.
  sides="$(pixel embedded 3 3) $(pixel embedded 636 396)"
  [ "$sides" = "101830 101830" ] && pass "--window-id: the slide inside the window" ||
    fail "--window-id: the window's sides are $sides"
  xdotool windowsize "$host" 400 600
  shot_until "$host" resized 200 596 101830 4
  size=$(convert "$work/resized.png" -format '%wx%h' info:)
  # 400 x 300 in the middle of 400 x 600: background above and below, the picture across the middle.
  around="$(pixel resized 200 3) $(pixel resized 200 596)"
  middle=$(pixel resized 3 300)
  [ "$size" = 400x600 ] && [ "$around" = "101830 101830" ] && [ "$middle" != 101830 ] &&
    pass "--window-id: resizing lays the slide out again" ||
    fail "--window-id: after resizing to $size the window shows $around above and below, $middle in the middle"
else
  fail "--window-id: no slide was shown"; cat "$work/embed.txt"
fi
kill -TERM "$pid"
if ended "$pid" 1; then
  wait "$pid"; status=$?
  [ "$status" = 0 ] && pass "SIGTERM ends the show within a second, exit status 0" || fail "exit status $status"
else
  fail "SIGTERM did not end the show within a second"; kill -9 "$pid"; wait "$pid" 2>/dev/null
fi
left=$(find "$TMPDIR" -mindepth 1 | head)
[ -z "$left" ] && pass "no temporary file left" || fail "left behind: $left"

# The window's program destroys it while the show draws (as XScreenSaver may): the show ends, leaving
# nothing behind; an id that names no window, or no display at all, is refused with a message.
: >"$log"
timeout -k 5 60 "$show" --window-id "$host" "$show" >"$work/gone.txt" 2>&1 &
pid=$!
wait_for "begin a transition show" 15
kill "$host_pid"; wait "$host_pid" 2>/dev/null
if ended "$pid" 3; then
  wait "$pid"; status=$?
  left=$(find "$TMPDIR" -mindepth 1 | head)
  [ "$status" = 0 ] && [ -z "$left" ] && pass "a destroyed window ends the show, exit status 0, nothing left" ||
    fail "after its window was destroyed: exit status $status, left behind: $left, $(cat "$work/gone.txt")"
else
  fail "the show went on without its window"; kill -9 "$pid"; wait "$pid" 2>/dev/null
fi
# As XScreenSaver runs it: its window in XSCREENSAVER_WINDOW or appended as --window-id to the user's -root
# line (the settings preview), then the window destroyed as the saver deactivates, alone, after a resize, or
# with a SIGTERM at the same moment. Every time the show ends with status 0 and says nothing. The first
# cycle plays the manifest itself, as render takes it (the log is still the program's, beside it).
quiet=0
for cycle in 1 2 3 4 5 6; do
  "$helper" window 320 200 >"$work/host.txt" 2>"$work/host-err.txt" &
  host_pid=$!
  for _ in $(seq 100); do [ -s "$work/host.txt" ] && break; sleep 0.1; done
  host=$(head -n1 "$work/host.txt")
  [ -n "$host" ] || { echo "cycle $cycle: no host window: $(cat "$work/host-err.txt")"; kill "$host_pid"; continue; }
  input=$show
  [ "$cycle" = 1 ] && input=$manifest
  : >"$log"
  if [ $((cycle % 2)) = 1 ]; then
    XSCREENSAVER_WINDOW=$host timeout -k 5 60 "$show" -root "$input" >"$work/cycle.txt" 2>&1 &
  else
    timeout -k 5 60 "$show" -root "$input" --window-id "$host" >"$work/cycle.txt" 2>&1 &
  fi
  pid=$!
  wait_for "begin a transition show" 30 || echo "cycle $cycle: no transition began"
  case $((cycle % 3)) in
    0) kill -TERM "$pid"; kill "$host_pid" ;;
    1) xdotool windowsize "$host" 300 180; kill "$host_pid" ;;
    2) kill "$host_pid" ;;
  esac
  wait "$host_pid" 2>/dev/null
  if ended "$pid" 5; then
    wait "$pid"; status=$?
  else
    status=stuck; kill -9 "$pid"; wait "$pid" 2>/dev/null
  fi
  said=$(grep -v "no sound device" "$work/cycle.txt")
  if [ "$status" = 0 ] && [ -z "$said" ]; then quiet=$((quiet + 1)); else
    echo "cycle $cycle: exit status $status, said: $said"; fi
done
left=$(find "$TMPDIR" -mindepth 1 | head)
[ "$quiet" = 6 ] && [ -z "$left" ] && pass "XScreenSaver's window destroyed under the show: 6 of 6 quiet ends, nothing left" ||
  fail "XScreenSaver's window destroyed under the show: $quiet of 6 quiet ends, left behind: $left"
"$show" --window-id 0x7ffff1 "$show" >"$work/bad-id.txt" 2>&1; status=$?
[ "$status" = 1 ] && grep -q "no X window 0x7ffff1" "$work/bad-id.txt" && pass "a window id of no window is refused" ||
  fail "--window-id of no window: exit status $status, $(cat "$work/bad-id.txt")"
# Where no display answers, the show says so and ends instead of playing where nobody sees it.
env -u WAYLAND_DISPLAY DISPLAY=:9999 timeout -k 5 20 "$show" play --window >"$work/no-display.txt" 2>&1; status=$?
[ "$status" = 1 ] && grep -q "no display to show on" "$work/no-display.txt" && pass "no display: refused with a message" ||
  fail "with no display: exit status $status, $(cat "$work/no-display.txt")"

# --- a video with a stored WAV track: silent without a sound device, then on ALSA's null device
video=$work/video.scr
"$helper" video-project "$video" "$saver" || fail "cannot make the video project"
for device in none null; do
  if [ "$device" = null ]; then printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"; fi
  timeout -k 5 30 "$saver" play "$video" --window --size 320x240 >"$work/video-$device.txt" 2>&1 &
  pid=$!
  window=$(find_window "Live video" 10)
  # Half the window's width (160 x 120), centred: the clip's red left half and its blue right half.
  colours=
  for _ in $(seq 25); do
    [ -n "$window" ] && shot "$window" "video-$device" &&
      colours="$(pixel "video-$device" 100 120) $(pixel "video-$device" 220 120)"
    [ "${colours%% *}" = ff0000 ] && break
    sleep 0.2
  done
  # A device that takes sound as fast as it comes (the null one) must not make the show spin.
  before=$(cpu_ticks "$pid"); sleep 2; spent=$(( $(cpu_ticks "$pid") - before ))
  [ "$spent" -lt "$(getconf CLK_TCK)" ] && pass "sound device '$device': no busy loop ($spent ticks in 2 s)" ||
    fail "sound device '$device': $spent CPU ticks in 2 s"
  kill -TERM "$pid"
  ended "$pid" 2 && wait "$pid"; status=$?
  notice=$(grep -c "no sound device" "$work/video-$device.txt")
  others=$(grep -v "no sound device" "$work/video-$device.txt" | grep -c .)
  expected_notice=$([ "$device" = none ] && echo 1 || echo 0)
  [ "$status" = 0 ] && [ "$notice" = "$expected_notice" ] && [ "$others" = 0 ] &&
    [ "${colours%% *}" = ff0000 ] && [ "${colours##* }" != 101830 ] &&
    pass "video and music with sound device '$device': played, exit 0, $notice notice(s)" ||
    fail "video with sound device '$device': exit $status, pixels $colours, output:$(cat "$work/video-$device.txt")"
done
rm -f "$HOME/.asoundrc"

echo "live e2e: $failures failure(s)"
[ "$failures" = 0 ]
