#!/usr/bin/env bash
# Plays music, a bound sound and videos through Wine's media control interface (sound goes to ALSA's null
# device): the bound sound holds the next item, the music's end brings the next track after the project's
# pause, the video shows in its panel and hands over to the next item; a project whose only item is a video
# plays it again and again, and Escape during it ends the show.
# ALSA's null device takes sound faster than it would play (Wine 8 plays about three seconds a second on
# it), so the bounds on sound timing are wide: a 20 s bound sound must hold the next item for more than the
# 1 s it would stay without, and the second track must wait for the 2 s pause after the first one's end.
# Usage: media_e2e.sh SCR HELPER IMAGE WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
scr=$1 helper_exe=$2 image=$3 work=$4
rm -rf "$work" && mkdir -p "$work/show" "$work/single" || exit 1
# Cached videos are found again by program and video name: names of their own keep other tests' copies out.

helper show "$(winpath "$scr")" "$(winpath "$work/show/media.scr")" "$(winpath "$image")"
helper single "$(winpath "$scr")" "$(winpath "$work/single/media.scr")"
[ -s "$work/show/media.scr" ] && [ -s "$work/single/media.scr" ] || { echo "FAIL: cannot pack"; exit 1; }
tempdir=$(unixpath "$(helper tempdir)")
# Mouse movement does not close (Wine centres the cursor once), Escape does; sounds on.
user_settings 'HKCU\Software\quillmark\Media E2E' 5 0 0 0 1 1 1 1 0 65 1 0 60 20 0 1 25 1 ||
  fail "cannot write the user settings"

# run NAME: starts the show in its folder beside an empty kado.log.
run() {
  log=$work/$1/kado.log
  : >"$log"
  timeout -k 5 80 wine "$work/$1/media.scr" /s </dev/null >"$work/$1/out.txt" 2>&1 &
  pid=$!
}
stop() { alive && { kill "$pid"; wait "$pid" 2>/dev/null; }; }
now() { date +%s%3N; }

# Stored sounds are copied into a folder of the show's own: a user's file of a track's name in the shared
# temporary folder is neither written over nor deleted.
printf "the user's own file" >"$tempdir/track1.wav"
own() { compgen -G "$tempdir/quillmark-show-*/$1" >/dev/null; }
shows_folders() { compgen -G "$tempdir/quillmark-show-*" | wc -l; }

# --- the show: the bound sound, the music tracks, the video
run show
track2_at=
if wait_for "Media name = one.jpg" 30; then
  shown=$(now)
  for _ in $(seq 250); do
    [ -z "$track2_at" ] && own track2.wav && track2_at=$(now)
    tr -d '\r' <"$log" | grep -qF "Media name = C:\\clips\\green.avi" && break
    sleep 0.1
  done
  waited=$(( $(tick "Media name = C:\\clips\\green.avi") - $(tick "Media name = one.jpg") ))
  [ "$waited" -ge 3500 ] && [ "$waited" -le 24000 ] &&
    pass "the bound sound holds the next item ($waited ms)" || fail "the next item came after $waited ms"
  if [ -n "$track2_at" ]; then
    after=$((track2_at - shown))
    [ "$after" -ge 2800 ] && ! own track1.wav &&
      pass "the second track follows the first after the pause (${after} ms)" ||
      fail "the second track came ${after} ms after the show started"
  else
    # shellcheck disable=SC2012 # a listing for the reader of the failure
    fail "the second music track never started: $(ls "$tempdir"/quillmark-show-* | tr '\n' ' ')"
  fi
else
  fail "the show did not start"
fi

if wait_for "Video Player1 working" 10; then
  # The clip fills the panel across the whole width once the device draws (a busy machine may take a while);
  # the screen's middle is left alone, Wine keeps the cursor there.
  for _ in $(seq 15); do
    sleep 0.2
    import -window root "$work/video.png" 2>/dev/null
    colour=$(convert "$work/video.png" -format '%[hex:p{300,300}] %[hex:p{1000,800}]' info: 2>/dev/null)
    [ "$colour" = "20C040 20C040" ] && break
  done
  [ "$colour" = "20C040 20C040" ] && pass "the video plays in its panel" || fail "the panel shows $colour, not the clip"
  if wait_for "Media name = two.jpg" 10; then
    grep -qF "Movie stops , Show Next Media!" <(tr -d '\r' <"$log") && pass "the video hands over to the next item" ||
      fail "the next item came without the video's end"
    # The clip is 3 s long: it ends at the first check (once a second) that finds it played to its end.
    played=$(( $(tick "Movie stops , Show Next Media!") - $(tick "Media name = C:\\clips\\green.avi") ))
    [ "$played" -ge 3000 ] && [ "$played" -le 4000 ] &&
      pass "the video's item ends within a second after the clip (${played} ms)" ||
      fail "the video's item ended ${played} ms after it started, for a clip of 3000 ms"
  else
    fail "the video did not hand over"
  fi
else
  fail "the video item was not shown"
fi
stop
echo "--- show log"; tr -d '\r' <"$log" | sed 's/^/    /'

# --- a video as the only item plays again and again; Escape ends the show
folders_before=$(shows_folders)
run single
if wait_for "Movie stops , Loop Media!" 20 && sleep 4.5 &&
   [ "$(tr -d '\r' <"$log" | grep -cF "Movie stops , Loop Media!")" -ge 2 ]; then
  pass "the only video plays again at its end"
  again=$(( $(tick "Movie stops , Loop Media!" 2) - $(tick "Movie stops , Loop Media!") ))
  # Both ends come from checks of the same once-a-second timer, whose ticks stray by a few milliseconds.
  [ "$again" -ge 2950 ] && [ "$again" -le 4000 ] && pass "each time to its end (${again} ms)" ||
    fail "the video played again after ${again} ms, for a clip of 3000 ms"
else
  fail "the only video did not loop"
fi
tr -d '\r' <"$log" | grep -qF "Show Next Media" && fail "the only video handed over"
xdotool key Escape
for _ in $(seq 100); do alive || break; sleep 0.1; done
if alive; then fail "Escape during the video did not end the show"; stop; else
  wait "$pid"; pass "Escape during the video ends the show"; fi
echo "--- single log"; tr -d '\r' <"$log" | sed 's/^/    /'
[ "$(shows_folders)" = "$folders_before" ] && pass "a show that ends leaves no folder behind" ||
  fail "the show's temporary folder stayed: $(compgen -G "$tempdir/quillmark-show-*" | tr '\n' ' ')"
[ "$(cat "$tempdir/track1.wav")" = "the user's own file" ] && pass "a user's file of a track's name is kept" ||
  fail "the user's track1.wav was changed or removed"
rm -f "$tempdir/track1.wav"

echo "media e2e: $failures failure(s)"
[ "$failures" = 0 ]
