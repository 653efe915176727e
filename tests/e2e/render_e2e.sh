#!/usr/bin/env bash
# The authoring commands as a new user meets them: mkdemo, the sample manifest rendered straight to frames and
# to a video, exit codes 0 (done), 1 (failed) and 2 (bad usage), and the messages for paths that cannot serve.
# Usage: render_e2e.sh SCREENSAVER SCRPACK MKDEMO MANIFEST WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
saver=$1 scrpack=$2 mkdemo=$3 manifest=$4 work=$5
rm -rf "$work" && mkdir -p "$work/tmp" || exit 1
export TMPDIR=$work/tmp
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# expect CODE TEXT CMD...: CMD exits with CODE and says TEXT (on either stream).
expect() {
  local code=$1 text=$2; shift 2
  local out rc
  out=$(timeout -k 5 60 "$@" 2>&1); rc=$?
  if [ "$rc" = "$code" ] && grep -qF -- "$text" <<<"$out"; then pass "$* -> $code"; else
    fail "$* gave $rc (wanted $code with \"$text\"): $out"; fi
}

expect 0 "usage: mkdemo FOLDER" "$mkdemo" --help
expect 2 "usage: mkdemo FOLDER" "$mkdemo"
expect 0 "" "$mkdemo" "$work/new/media"
[ -s "$work/new/media/sunrise.jpg" ] && pass "mkdemo makes its folder" || fail "mkdemo wrote no media"
expect 0 "screensaver " "$saver" --version
expect 0 "scrpack " "$scrpack" --version
expect 2 'unknown command "rendr"' "$saver" rendr "$manifest"
mkdir -p "$work/empty"
expect 1 "screensaver render: $work/empty holds no picture or video" "$saver" render "$work/empty" --out "$work/x"
expect 1 "carries no project" "$saver" render "$mkdemo" --out "$work/x"
expect 2 "at most 8192" "$saver" render "$manifest" --size 9000x100 --out "$work/x"
expect 2 "--out DIR" "$saver" render "$manifest"
# The trace command takes an effect by its number or by its name, the fades appended after the first 161 too.
expect 0 "Fade through black: 9 frames" "$saver" effect "fade through black" --out "$work/trace" --window 64x48 --step 125
expect 2 'no effect is named "Sparkle"' "$saver" effect Sparkle --out "$work/trace"
expect 2 "outside -1 to 162" "$saver" effect 163 --out "$work/trace"
printf '[project]\nname = "none"\n' >"$work/empty.toml"
expect 1 "screensaver render: $work/empty.toml: no [[media]] item" "$saver" render "$work/empty.toml" --out "$work/x"

# The manifest packed in memory and rendered: a frame that repeats the one before is a link to its file, and
# only frames whose pixels changed count as distinct, the first slide's transition included.
frames=$work/frames
mkdir -p "$frames" && echo old >"$frames/frame-99999.png"
out=$(timeout -k 5 120 "$saver" render "$manifest" --out "$frames" --size 320x180 --seconds 12 --log "$work/show.log" 2>&1)
rc=$?
[ $rc = 0 ] && pass "render of the manifest" || fail "render of the manifest gave $rc: $out"
[ ! -e "$frames/frame-99999.png" ] && pass "old frames removed" || fail "an old frame was left"
# The renderer names its frames frame-NNNNN.png: counting them with ls is safe.
# shellcheck disable=SC2012
[ "$(ls "$frames"/frame-*.png | wc -l)" = 300 ] && pass "300 frames" || fail "$(ls "$frames" | wc -l) files"
distinct=$(sed -n 's/^12.0 s: 300 frames (\([0-9]*\) distinct).*/\1/p' <<<"$out")
sums=$(cd "$frames" && md5sum frame-*.png | awk '{print $1}' | uniq | wc -l)
[ -n "$distinct" ] && [ "$distinct" = "$sums" ] && [ "$sums" -gt 10 ] &&
  pass "$distinct distinct frames, as their pixels say" || fail "distinct: said $distinct, files $sums"
links=$(cd "$frames" && stat -c %i frame-*.png | uniq | wc -l)
[ "$links" = "$sums" ] && pass "repeated frames are links" || fail "$links files for $sums distinct frames"
grep -q . "$work/show.log" && pass "--log writes the log" || fail "the log file is empty"

out=$(timeout -k 5 120 "$saver" render "$manifest" --video "$work/show.mp4" --size 320x180 --seconds 4 2>&1)
rc=$?
[ $rc = 0 ] && grep -q ftyp "$work/show.mp4" && grep -q avc1 "$work/show.mp4" && grep -q mp4a "$work/show.mp4" &&
  pass "the video holds H.264 pictures and AAC sound" || fail "video: $rc $out"
expect 1 "no such folder: $work/nowhere" "$saver" render "$manifest" --video "$work/nowhere/show.mp4"

# Without --seconds, one pass through the show: the manifest's items, and a folder of pictures as such.
out=$(timeout -k 5 120 "$saver" render "$manifest" --out "$work/pass" --size 160x90 2>&1)
grep -qE '^[0-9]+\.[0-9] s, one pass through 4 items: [0-9]+ frames' <<<"$out" && pass "one pass by default: $out" ||
  fail "the default length: $out"
out=$(timeout -k 5 120 "$saver" render "$work/new/media" --out "$work/folder" --size 160x90 2>&1)
grep -qE 'one pass through [0-9]+ items' <<<"$out" && [ -s "$work/folder/contact-sheet.png" ] &&
  pass "a folder of pictures renders as its show" || fail "render of a folder: $out"

# Ctrl-C in the middle of a video: the earlier video stays whole, nothing is left beside it or in the
# temporary folder, and the run ends as interrupted.
before=$(md5sum <"$work/show.mp4")
"$saver" render "$manifest" --video "$work/show.mp4" --size 1280x720 --seconds 60 >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do compgen -G "$work/.show.mp4.*.part" >/dev/null && break; sleep 0.1; done
kill -INT "$pid"; wait "$pid"; rc=$?
left=$(find "$TMPDIR" "$work" -maxdepth 1 -name '.*.part' -o -mindepth 1 -path "$TMPDIR/*" | head -3)
[ "$rc" = 130 ] && [ "$(md5sum <"$work/show.mp4")" = "$before" ] && [ -z "$left" ] &&
  pass "Ctrl-C leaves the earlier video whole and nothing behind" || fail "after Ctrl-C: exit $rc, left: $left"

# Two renders into one folder: the second is refused while the first holds it.
"$saver" render "$manifest" --out "$work/shared" --size 1280x720 --seconds 60 >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do [ -e "$work/shared/frame-00001.png" ] && break; sleep 0.1; done
expect 1 "another render is writing into $work/shared" "$saver" render "$manifest" --out "$work/shared" --seconds 1
kill -INT "$pid"; wait "$pid"

# A full disk (a file size limit, as one): the message names the file and the reason; no part-written,
# empty or half frame is left, and the pack leaves nothing beside its output.
"$scrpack" pack "$manifest" -o "$work/demo.db" >/dev/null 2>&1 || fail "cannot pack the manifest"
out=$( (trap '' XFSZ; ulimit -f 40; "$saver" render "$work/demo.db" --out "$work/full" --size 640x360 --seconds 5) 2>&1)
rc=$?
[ "$rc" = 1 ] && grep -qE "cannot write $work/full/frame-[0-9]+\.png: File too large" <<<"$out" &&
  [ -z "$(find "$work/full" -mindepth 1)" ] && pass "a full disk: file and reason named, no frame left" ||
  fail "a full disk: exit $rc, $out, left: $(find "$work/full" -mindepth 1 | head -3)"
out=$( (trap '' XFSZ; ulimit -f 40; "$scrpack" pack "$manifest" -o "$work/full/show.scr" --runtime "$saver") 2>&1)
rc=$?
[ "$rc" = 1 ] && grep -qF "$work/full/show.scr: File too large" <<<"$out" && [ -z "$(find "$work/full" -mindepth 1)" ] &&
  pass "a full disk: pack names its output, leaves nothing" || fail "pack on a full disk: exit $rc, $out"

echo "render e2e: $failures failure(s)"
[ "$failures" = 0 ]
