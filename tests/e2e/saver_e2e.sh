#!/usr/bin/env bash
# Runs the screensaver window of the real screensaver.scr under Wine: covering the screen, closing on keys
# and mouse movement as the user settings allow, the grace period, the preview child, the time limitation,
# Program mode, the sequencer's log across several items and the cached video.
# Usage: saver_e2e.sh SCR HELPER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
here=$e2e_here
scr=$1 helper_exe=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1

# The X pointer is moved through XTEST, as a mouse would move it.
pointer_tool=$work/saver_pointer
xtst_libs=(/usr/lib/*/libXtst.so*)
xtst=${xtst_libs[0]}
cc -o "$pointer_tool" "$here/saver_pointer.c" -lX11 "$xtst" || { echo "FAIL: cannot build the pointer tool"; exit 1; }
pointer() { "$pointer_tool" "$1" "$2"; }
pointer 1 1

packed=$work/packed.scr
program=$work/program.scr
image=$(winpath "$here/../data/images/grey.jpg")
helper pack "$(winpath "$scr")" "$(winpath "$packed")" "$image"
helper pack "$(winpath "$scr")" "$(winpath "$program")" "$image" program
stills=$work/stills.scr
helper pack "$(winpath "$scr")" "$(winpath "$stills")" "$image" stills
[ -s "$packed" ] && [ -s "$program" ] && [ -s "$stills" ] || { echo "FAIL: cannot attach a project to the program"; exit 1; }
tempdir=$(unixpath "$(helper tempdir)")

key='HKCU\Software\quillmark\Saver E2E'
settings() { user_settings "$key" "$@"; }
# Defaults, by field: threshold any move left right double esc enter specified key sounds limit minutes
# moveThreshold own random speed monitor
defaults=(5 1 1 0 1 1 1 1 0 65 1 0 60 20 0 1 25 1)
with() { # with INDEX=VALUE...: the defaults with some fields changed
  local s=("${defaults[@]}") kv
  for kv in "$@"; do s[${kv%%=*}]=${kv#*=}; done
  settings "${s[@]}"
}

# run NAME FILE ARGS...: starts the program in its own folder beside an empty kado.log, in the background.
run() {
  local name=$1 file=$2; shift 2
  dir=$work/$name
  mkdir -p "$dir" && cp "$file" "$dir/screensaver.scr" && : >"$dir/kado.log"
  pointer 0 0
  timeout -k 5 120 wine "$dir/screensaver.scr" "$@" </dev/null >"$dir/out.txt" 2>&1 &
  pid=$!
  # The show is up when its first item is presented.
  for _ in $(seq 150); do grep -q "Media name" "$dir/kado.log" 2>/dev/null && break; sleep 0.1; done
}
# ends_within NAME SECONDS: the run ends by itself within the time.
ends_within() {
  local name=$1 limit=$2
  for _ in $(seq $((limit * 10))); do alive || break; sleep 0.1; done
  if alive; then fail "$name: still running after ${limit}s"; kill "$pid"; wait "$pid" 2>/dev/null; return 1; fi
  wait "$pid"; pass "$name"
}
stays() { # stays NAME SECONDS
  sleep "$2"
  if alive; then pass "$1"; else fail "$1: the show ended"; fi
}
messages() { tr -d '\r' <"$1/kado.log" | sed -n 's/^(-\?[0-9]*)\[ScreensaverDlg,([0-9]*)\] : //p'; }

# --- idle: nothing closes a show that nobody touches. This is the first full-screen show, and the pointer
# is not where the show puts the cursor at its start: the report of where it really is, as the window comes
# up, is no user input. A real movement later still closes.
with
dir=$work/idle && mkdir -p "$dir" && cp "$packed" "$dir/screensaver.scr" && : >"$dir/kado.log"
pointer 640 512
timeout -k 5 120 wine "$dir/screensaver.scr" /s </dev/null >"$dir/out.txt" 2>&1 &
pid=$!
stays "/s: an idle show stays up (any event on, the pointer away from the corner)" 15
pointer 700 560
ends_within "/s: a real mouse movement ends it" 10

# --- /s covers the screen; a key closes when any event is on, within the grace period without password
with
run key "$packed" /s
stays "/s: the show runs without input" 6
helper key 88
ends_within "/s: a key press ends the show" 10

# --- the sequencer's log across items: image, image, video, image, then the first again
lines=$(messages "$work/key")
want=("Here" "show on screen 1" "Set screensaver window top most"
      "Media Count = 4" "Media name = one.jpg" "Do an image slide show" "Show Next media file"
      "Media Count = 4" "Media name = two.jpg" "Do an image slide show" "Show Next media file"
      "Media Count = 4" "Media name = C:\\clips\\clip.avi" "Play a video movie" "Video Player1 working"
      "Set screensaver window top most" "Exit from PlayVideo()")
got=$(head -n ${#want[@]} <<<"$lines")
if [ "$got" = "$(printf '%s\n' "${want[@]}")" ]; then pass "sequencer log in order across three items"; else
  fail "sequencer log differs"; diff <(printf '%s\n' "${want[@]}") <(echo "$got") | sed 's/^/    /'; fi

# --- the cached video: written into the show's own temporary folder, which goes with the show
cache=$(for c in s c r e e n s a v e r; do printf '%d' "'$c"; done)
if [ ! -e "$tempdir/$cache" ] && ! compgen -G "$tempdir/quillmark-show-*" >/dev/null; then
  pass "nothing of the show stays in the temporary folder"; else
  fail "left in the temporary folder: $(compgen -G "$tempdir/*" | tr '\n' ' ')"; fi

# --- keys: with any event off, only the chosen keys close; Escape and Enter are swallowed when off
with 1=0 2=0 6=0 7=0 8=1 9=75
run keys "$packed" /s
helper key 27; helper key 13; helper key 88
stays "/s: Escape, Enter and other keys do not close when off" 2
helper key 75
ends_within "/s: the chosen key K closes" 10

# --- mouse: movement up to the threshold does not close, beyond it does; clicks only when allowed
with 1=0
run mouse "$stills" /s
sleep 2.5 # the pointer settles while the window comes up
pointer 20 20
stays "/s: a movement of 20 pixels does not close" 2
pointer 21 5
ends_within "/s: a movement beyond 20 pixels closes" 10

with 1=0 2=0
run nomove "$stills" /s
sleep 2.5
pointer 400 400
stays "/s: movement does not close when not allowed" 2
helper key 27
ends_within "/s: Escape still closes" 10

# The grace period and the time limitation wait on the show's own timers for over a minute; QM_SAVER_UNTIMED
# leaves them out of a second run in another Wine prefix, whose timers are the same.
if [ -z "${QM_SAVER_UNTIMED:-}" ]; then
  # --- the grace period: after it the NT family closes without asking for a password
  with
  run grace "$packed" /s
  sleep 16
  helper key 88
  ends_within "/s: a key after the grace period closes (no password on NT)" 10

  # --- time limitation: one minute ends the show by itself
  with 11=1 12=1
  run limit "$packed" /s
  stays "/s: the show runs before the time limit" 50
  ends_within "/s: the time limitation ends the show" 25
  grep -q "Time Limitation 1 minute(s)" "$work/limit/kado.log" && pass "time limitation logged" ||
    fail "time limitation not logged"
fi

# --- Program mode: input does not close, Escape does
with
run program "$program" /s
pointer 500 500
helper key 88
stays "Program: input does not close" 2
helper key 27
ends_within "Program: Escape ends the show" 10

# --- Preview: the show fills the given window (a white one), changes there with the show, and ends with it
with 11=1 12=1
mkdir -p "$work/preview" && cp "$packed" "$work/preview/screensaver.scr" && : >"$work/preview/kado.log"
# Its output goes to a file: with the helper writing into a pipe, its windows never reached the X display.
timeout -k 5 60 wine "$helper_exe" preview "$(winpath "$work/preview/screensaver.scr")" 7000 </dev/null 2>/dev/null \
  >"$work/preview/helper.txt" &
preview_helper=$!
for _ in $(seq 200); do grep -q '^area' "$work/preview/helper.txt" && break; sleep 0.1; done
read -r _ ax ay aw ah <<<"$(grep '^area' "$work/preview/helper.txt" | tr -d '\r')"
most=0 looks=()
if [ -n "${ah:-}" ]; then
  sleep 1
  for i in 1 2 3 4; do # the items change every second or so
    import -window root -crop "${aw}x${ah}+${ax}+${ay}" +repage "$work/preview/shot$i.png" 2>/dev/null
    colours=$(convert "$work/preview/shot$i.png" -format %k info: 2>/dev/null)
    [ "${colours:-0}" -gt "$most" ] && most=$colours
    looks+=("$(md5sum <"$work/preview/shot$i.png")")
    sleep 1.3
  done
fi
wait "$preview_helper"
result=$(tr -d '\r' <"$work/preview/helper.txt")
distinct=$(printf '%s\n' "${looks[@]}" | sort -u | wc -l)
[ "$most" -ge 10 ] && [ "$distinct" -ge 2 ] &&
  pass "/p: the show's pictures appear in the preview area and change ($most colours, $distinct looks)" ||
  fail "/p: the preview area shows at most $most colours in $distinct looks"
read -r _ found _ l t r b _ cw ch <<<"$(grep '^child' <<<"$result")"
if [ "${found:-0}" = 1 ] && [ "$l $t" = "0 0" ] && [ "$r $b" = "$cw $ch" ]; then pass "/p: the show fills the preview area"; else
  fail "/p: $result"; fi
grep -q "^ended 1" <<<"$result" && pass "/p: ends with its parent" || fail "/p: did not end with its parent"
grep -q "show on screen\|Time Limitation" "$work/preview/kado.log" && fail "/p: placed or time-limited like a saver" ||
  pass "/p: no screen placement and no time limit"

# Only this run's programs: other checkouts on the machine may be running the same test at the same time.
running=$(pgrep -af 'screensaver\.scr|saver_e2e_helper')
left=$(grep -F -e "$work" -e "$helper_exe" <<<"$running" | grep -v -e saver_e2e.sh -e '<defunct>')
[ -z "$left" ] || fail "programs of this test are still running: $left"
echo "saver e2e: $failures failure(s)"
[ "$failures" = 0 ]
