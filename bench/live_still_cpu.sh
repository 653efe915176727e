#!/usr/bin/env bash
# CPU use of the live show while a slide stays on screen (no transition): the sample show with a 60-second
# display time in a 1920x1080 window (QM_BENCH_SIZE=WxH for another, 3840x2160 for 4K) on a virtual display, user and system time over 10 s once the first
# transition has ended. With "null", sound goes to ALSA's null device (the music plays), otherwise there is
# no sound device.
#
#   bench/live_still_cpu.sh [BUILDDIR] [null]        (BUILDDIR: build/native)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
size=${QM_BENCH_SIZE:-1920x1080}
[[ $size =~ ^[0-9]+x[0-9]+$ ]] || { echo "QM_BENCH_SIZE=$size is not WxH"; exit 2; }
if [ -z "${QM_STILL_DISPLAY:-}" ]; then
  QM_STILL_DISPLAY=1 exec "$here/../scripts/with-xvfb" --screen "${size}x24" bash "$0" "$@"
fi
build=$(cd "${1:-$here/../build/native}" && pwd) device=${2:-none}
work=$(mktemp -d "${TMPDIR:-/tmp}/qm-still-XXXXXX")
pid=
cleanup() { [ -n "$pid" ] && kill -TERM "$pid" 2>/dev/null && wait "$pid"; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work/tmp" "$work/config" "$work/home" "$work/run" && chmod 700 "$work/run"
export TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/config HOME=$work/home XDG_RUNTIME_DIR=$work/run
[ "$device" = null ] && printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
sed 's/^display_time = .*/display_time = 60/' "$build/examples/demo/manifest.toml" >"$work/still.toml"
# The manifest names its media relative to itself.
cp -r "$build/examples/demo/." "$work/demo" && mv "$work/still.toml" "$work/demo/"
"$build/tools/scrpack/scrpack" pack "$work/demo/still.toml" -o "$work/still.scr" --runtime "$build/src/program/screensaver" >/dev/null
chmod +x "$work/still.scr" && : >"$work/kado.log"
"$work/still.scr" play --window --size "$size" >"$work/out.txt" 2>&1 &
pid=$!
for _ in $(seq 150); do grep -q "end a transition show" "$work/kado.log" && break; sleep 0.1; done
grep -q "end a transition show" "$work/kado.log" || { echo "no slide was shown"; cat "$work/out.txt"; exit 1; }
sleep 1
hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
a=$(ticks); sleep 10; b=$(ticks)
echo "still slide, sound device $device: $((b - a)) of $((10 * hz)) clock ticks in 10 s," \
  "$(awk -v t=$((b - a)) -v all=$((10 * hz)) 'BEGIN { printf "%.2f", 100 * t / all }') % of one core"
