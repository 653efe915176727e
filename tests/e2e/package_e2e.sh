#!/usr/bin/env bash
# The Debian package, built from this build tree, unpacked into a scratch root: the files are where the
# system and XScreenSaver look for them, the installed program plays the sample show in a window, and as
# XScreenSaver's program it draws into the window XScreenSaver names.
# Usage: package_e2e.sh BUILDDIR HELPER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QM_LIVE_E2E_DISPLAY:-}" ]; then
  QM_LIVE_E2E_DISPLAY=1 exec "$here/../../scripts/with-xvfb" bash "$0" "$@"
fi
build=$1 helper=$2 work=$3
rm -rf "$work" && mkdir -p "$work/tmp" "$work/config" "$work/run" && chmod 700 "$work/run" || exit 1
export TMPDIR=$work/tmp XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
log=/dev/null
source "$here/live_common.sh"

(cd "$build" && timeout -k 5 120 cpack -G DEB -B "$work/package" >"$work/cpack.txt" 2>&1) ||
  { fail "cpack failed"; cat "$work/cpack.txt"; exit 1; }
debs=("$work"/package/*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { fail "no package was made"; exit 1; }
root=$work/root
dpkg -x "$deb" "$root" || { fail "dpkg -x failed"; exit 1; }
missing=
for f in usr/bin/screensaver usr/bin/scrpack usr/share/man/man1/screensaver.1.gz usr/share/man/man1/scrpack.1.gz \
         usr/share/quillmark/sample.scr usr/share/xscreensaver/config/quillmark.xml; do
  [ -s "$root/$f" ] || missing+=" $f"
done
[ -z "$missing" ] && pass "the package holds the programs, manual pages, sample and XScreenSaver file" ||
  fail "missing from the package:$missing"
[ "$(readlink -f "$root/usr/libexec/xscreensaver/quillmark")" = "$(readlink -f "$root/usr/bin/screensaver")" ] &&
  pass "XScreenSaver's program folder has the program as quillmark" || fail "no quillmark in usr/libexec/xscreensaver"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 && pass "the package depends on SDL2" || fail "no dependencies found"
# FFmpeg's libraries and the picture converters are opened when first needed, not linked: the package must
# still name them.
depends=$(dpkg-deb -f "$deb" Depends)
missing=
for lib in libavformat libavcodec libswscale libswresample libavutil libheif libtiff libwebp libturbojpeg; do
  grep -q "$lib" <<<"$depends" || missing+=" $lib"
done
[ -z "$missing" ] && pass "the package depends on the libraries its programs open" ||
  fail "the package does not depend on:$missing"
linked=$(readelf -d "$root/usr/bin/screensaver" "$root/usr/bin/scrpack" | grep -E 'NEEDED.*lib(av|sw|heif|tiff|webp)')
[ -z "$linked" ] && pass "the programs start without FFmpeg or the converters" || fail "linked at start: $linked"
# The Windows runtime, when the build tree has one, goes with the package, and the installed scrpack packs
# a Windows screen saver with it and its studio finds it.
windows_runtime=$(cd "$build" && cmake -L -N . 2>/dev/null | sed -n 's/^QM_WINDOWS_RUNTIME:FILEPATH=//p')
if [ -f "$windows_runtime" ]; then
  shipped=$root/usr/share/quillmark/windows/screensaver.scr
  cmp -s "$windows_runtime" "$shipped" && pass "the package ships the Windows runtime" ||
    fail "no usr/share/quillmark/windows/screensaver.scr in the package"
  mkdir -p "$work/studio"
  convert -size 64x48 xc:navy "$work/studio/one.jpg" 2>/dev/null
  "$root/usr/bin/scrpack" new "$work/studio" >/dev/null 2>&1 &&
    "$root/usr/bin/scrpack" pack "$work/studio/manifest.toml" -o "$work/one.scr" --runtime "$shipped" >/dev/null 2>&1 &&
    [ "$(head -c 2 "$work/one.scr")" = MZ ] && pass "the installed scrpack packs a Windows screen saver" ||
    fail "the installed scrpack cannot pack onto the shipped runtime"
  XDG_CACHE_HOME=$work/cache timeout -k 5 20 "$root/usr/bin/scrpack" studio "$work/studio" --no-browser \
    >"$work/studio.txt" 2>&1 &
  studio_pid=$!
  address=
  for _ in $(seq 50); do
    address=$(grep -o 'http://127.0.0.1:[0-9]*/?token=[0-9a-f]*' "$work/studio.txt") && break
    sleep 0.1
  done
  port=${address#http://127.0.0.1:}; port=${port%%/*}; token=${address##*token=}
  curl -s "http://127.0.0.1:$port/api/state?token=$token" | grep -q '"windows":true' &&
    pass "the installed studio finds the Windows runtime" || fail "the installed studio has no Windows runtime"
  kill -TERM "$studio_pid"; wait "$studio_pid"; status=$?
  [ "$status" = 0 ] && pass "the studio ends cleanly on SIGTERM" ||
    fail "the studio did not end cleanly on SIGTERM: exit status $status, said: $(cat "$work/studio.txt")"
else
  echo "skip: the build tree has no Windows runtime to ship (build the win32 preset first)"
fi
if command -v man >/dev/null; then
  man -l "$root/usr/share/man/man1/screensaver.1.gz" 2>/dev/null | grep -q XSCREENSAVER_WINDOW &&
    pass "the manual page reads" || fail "the manual page does not format"
fi

# The installed program given no file plays the installed sample.
timeout -k 5 30 "$root/usr/bin/screensaver" play --window --size 640x360 >"$work/play.txt" 2>&1 &
pid=$!
window=$(find_window "Quillmark Demo" 10)
shown=
for _ in $(seq 40); do
  [ -n "$window" ] && shot "$window" installed && [ "$(pixel installed 3 3)" = 101830 ] && { shown=1; break; }
  sleep 0.25
done
[ -n "$shown" ] && pass "the installed program plays the sample show in a window" ||
  fail "the installed program showed no sample slide: $(cat "$work/play.txt")"
kill -TERM "$pid"; ended "$pid" 2 && wait "$pid" || fail "the installed program did not end on SIGTERM"

# As XScreenSaver runs it: its own name, -root, and the window in XSCREENSAVER_WINDOW.
"$helper" window 480 300 >"$work/host.txt" &
host_pid=$!
for _ in $(seq 50); do [ -s "$work/host.txt" ] && break; sleep 0.1; done
host=$(head -n1 "$work/host.txt")
XSCREENSAVER_WINDOW=$host timeout -k 5 30 "$root/usr/libexec/xscreensaver/quillmark" -root \
  "$root/usr/share/quillmark/sample.scr" >"$work/hack.txt" 2>&1 &
pid=$!
shown=
for _ in $(seq 40); do
  shot "$host" hack && [ "$(pixel hack 3 3)" = 101830 ] && { shown=1; break; }
  sleep 0.25
done
[ -n "$shown" ] && pass "as XScreenSaver's program it draws into XScreenSaver's window" ||
  fail "nothing drawn into XSCREENSAVER_WINDOW: $(cat "$work/hack.txt")"
kill -TERM "$pid"; ended "$pid" 2 && wait "$pid" || fail "the XScreenSaver program did not end on SIGTERM"
kill "$host_pid"; wait "$host_pid" 2>/dev/null

echo "package e2e: $failures failure(s)"
[ "$failures" = 0 ]
