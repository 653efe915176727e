#!/usr/bin/env bash
# Runs the real screensaver.scr under Wine for each command-line form and checks its log, the registry,
# the runtime library files and the desktop snapshot. Usage: screensaver_e2e.sh SCR HELPER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
scr=$1 helper_exe=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1

packed=$work/packed.scr
helper pack "$(winpath "$scr")" "$(winpath "$packed")" "E2E Show.kdp"
[ -s "$packed" ] || { echo "FAIL: cannot attach a project to the program"; exit 1; }

sysdir=$(unixpath "$(helper sysdir)")
tempdir=$(unixpath "$(helper tempdir)")
[ -d "$sysdir" ] && [ -d "$tempdir" ] || { echo "FAIL: system ($sysdir) or temp ($tempdir) folder unknown"; exit 1; }
rm -f "$sysdir/qm_e2e_lib.dll" "$sysdir/../qm_e2e_evil.dll"
# A user's file of the snapshot's name in the shared temporary folder: the shows write their own elsewhere.
printf "the user's own file" >"$tempdir/kadodsk.bmp"
kernel_before=$(md5sum <"$sysdir/kernel32.dll")

# launch DIR ARGS...: the program copied into DIR beside an empty kado.log, started in the background
# (bounded in time); its shell process id is left in $launched.
launch() {
  local dir=$1; shift
  mkdir -p "$dir" && cp "$packed" "$dir/screensaver.scr" && : >"$dir/kado.log"
  (timeout -k 5 60 wine "$dir/screensaver.scr" "$@" </dev/null >"$dir/out.txt" 2>&1; echo $? >"$dir/rc") &
  launched=$!
}
# start DIR ARGS...: a whole run; the window it opens is closed after a moment, as a user would.
start() {
  launch "$@"
  local ticks=0
  while kill -0 "$launched" 2>/dev/null; do
    sleep 0.5
    ticks=$((ticks + 1))
    if [ "$ticks" -ge 4 ] && [ $((ticks % 2)) = 0 ]; then helper close screensaver.scr >/dev/null; fi
  done
  wait "$launched"
}
# The messages of the start-up's own lines (tag Screensaver), prefixes removed; every line of the log must
# have the entry form, and the log must open with Begin and close with End.
messages() {
  local dir=$1 log
  log=$(tr -d '\r' <"$dir/kado.log")
  [ "$(head -n1 <<<"$log")" = "----------------------------Begin-----------------------------" ] || echo "BAD BEGIN"
  [ "$(tail -n1 <<<"$log")" = "----------------------------End-------------------------------" ] || echo "BAD END"
  sed '1d;$d' <<<"$log" | while IFS= read -r line; do
    if [[ $line =~ ^\(-?[0-9]+\)\[([A-Za-z]+),\([0-9]+\)\]\ :\ (.*)$ ]]; then
      [ "${BASH_REMATCH[1]}" = Screensaver ] && echo "${BASH_REMATCH[2]}"
    else
      echo "BAD LINE: $line"
    fi
  done
}
# expect NAME DIR LINE...: the run ended by itself and logged exactly these messages after the file line.
expect() {
  local name=$1 dir=$2; shift 2
  local want got
  want=$(printf '%s\n' "screensaver file : $(winpath "$dir/screensaver.scr")" "$@")
  got=$(messages "$dir")
  if [ "$(cat "$dir/rc")" != 0 ]; then
    fail "$name: exit code $(cat "$dir/rc")"
  elif [ "$got" != "$want" ]; then
    fail "$name: log differs"; diff <(echo "$want") <(echo "$got") | sed 's/^/    /'
  else
    pass "$name"
  fi
}

saver=("start mode : Normal or Press Preview button!" "notify windows a screensaver is running"
       "notify windows screensaver is stopped!")
# 1234 names no window: the preview ends before announcing a show nobody could see or close.
# shellcheck disable=SC2034 # read by name in form
preview=("start mode : Preview in small screen")
# shellcheck disable=SC2034 # read by name in form
configure=("start mode : Configure" "Openning the configuration dialog!" "Exit from the configuration dialog!")

n=0
form() { # form EXPECTED-ARRAY ARGS...
  local -n lines=$1; shift
  n=$((n + 1))
  start "$work/form$n" "$@"
  expect "form '$*'" "$work/form$n" "${lines[@]}"
}
form saver /s
form saver -S
form saver s
form saver /S:99
form saver /SETDEF
form preview /p 1234
form preview /p:1234
form preview /l1234
form configure /c
form configure /c:5678
form configure

start "$work/My.exe.dir" /s
expect "program named .exe" "$work/My.exe.dir" "start mode : run as an exe file"

start "$work/password" /a 1234
expect "password on NT" "$work/password" "checking password in win9x" "finish checking password!"

# Set as default: the short upper-case path without a terminating zero.
start "$work/setdef" /setdef
expect "/setdef" "$work/setdef" "set as system's default screensaver!" "default screensaver is set!"
want=$(helper shortpath "$(winpath "$work/setdef/screensaver.scr")")
got=$(helper regvalue)
if [ -n "$want" ] && [ "$got" = "1 ${#want} $want" ]; then pass "/setdef registry value"; else
  fail "/setdef registry value: want '1 ${#want} $want', got '$got'"; fi
active=$(timeout -k 5 30 wine reg query 'HKCU\Control Panel\Desktop' /v ScreenSaveActive </dev/null 2>/dev/null | tr -d '\r')
if grep -q 'ScreenSaveActive.*1' <<<"$active"; then pass "/setdef turns the screen saver on"; else
  fail "/setdef: ScreenSaveActive is not 1 ($active)"; fi

# Installer: the ".scr" class's install command runs with %l replaced by the program's short path.
old_class=$(timeout -k 5 30 wine reg query 'HKCR\.scr' /ve </dev/null 2>/dev/null | tr -d '\r' | awk '/REG_SZ/ {print $NF}')
record=$work/installed.txt
# A class without an install command: nothing runs.
timeout -k 5 30 wine reg add 'HKCR\.scr' /ve /d qm_e2e_noinstall /f </dev/null >/dev/null 2>&1
start "$work/ins-none" /ins
expect "/ins without an installer" "$work/ins-none" "open screensaver setting dialog!" "setting dialog closed!"
timeout -k 5 30 wine reg add 'HKCR\.scr' /ve /d qm_e2e_scrfile /f </dev/null >/dev/null 2>&1
timeout -k 5 30 wine reg add 'HKCR\qm_e2e_scrfile\shell\install\command' /ve \
  /d "\"$(winpath "$helper_exe")\" record \"$(winpath "$record")\" %l" /f </dev/null >/dev/null 2>&1
start "$work/ins" /ins
expect "/ins" "$work/ins" "open screensaver setting dialog!" "setting dialog closed!"
for _ in $(seq 100); do [ -s "$record" ] && break; sleep 0.2; done
want=$(helper shortpath "$(winpath "$work/ins/screensaver.scr")")
got=$(tr -d '\r' <"$record" 2>/dev/null | head -n1)
if [ -n "$want" ] && [ "${got^^}" = "$want" ]; then pass "/ins runs the installer command"; else
  fail "/ins: installer got '$got', want '$want'"; fi
timeout -k 5 30 wine reg delete 'HKCR\qm_e2e_scrfile' /f </dev/null >/dev/null 2>&1
if [ -n "$old_class" ]; then
  timeout -k 5 30 wine reg add 'HKCR\.scr' /ve /d "$old_class" /f </dev/null >/dev/null 2>&1
else
  timeout -k 5 30 wine reg delete 'HKCR\.scr' /ve /f </dev/null >/dev/null 2>&1
fi

# A second screen saver ends at once while the first runs.
launch "$work/first" /s
first=$launched
for _ in $(seq 150); do grep -q "a screensaver is running" "$work/first/kado.log" 2>/dev/null && break; sleep 0.2; done
launch "$work/second" /s
wait "$launched"
if kill -0 "$first" 2>/dev/null; then overlapped=1; else overlapped=0; fi
# The running show's desktop snapshot, in its own temporary folder.
snapshot=$(compgen -G "$tempdir/quillmark-show-*/kadodsk.bmp" | head -n1)
[ -n "$snapshot" ] && cp "$snapshot" "$work/snapshot.bmp"
for _ in $(seq 60); do kill -0 "$first" 2>/dev/null || break; helper close screensaver.scr >/dev/null; sleep 0.5; done
wait "$first"
expect "first of two savers" "$work/first" "${saver[@]}"
expect "second saver ends at once" "$work/second"
[ "$overlapped" = 1 ] || fail "the first saver had ended before the second started"

# Runtime libraries: the plain name is written, the hostile ones are not, a system file is kept.
if [ "$(cat "$sysdir/qm_e2e_lib.dll" 2>/dev/null)" = "e2e runtime library" ]; then pass "runtime library written"; else
  fail "runtime library not in $sysdir"; fi
[ ! -e "$sysdir/../qm_e2e_evil.dll" ] && [ ! -e "$sysdir/qm_e2e_evil.dll" ] && pass "hostile name refused" ||
  fail "a runtime library escaped the system folder"
[ "$(md5sum <"$sysdir/kernel32.dll")" = "$kernel_before" ] && pass "system file kept" ||
  fail "a system file was replaced"
rm -f "$sysdir/qm_e2e_lib.dll"

# The desktop snapshot: a complete bitmap file in the show's temporary folder, gone with the show.
bmp=$work/snapshot.bmp
if [ -f "$bmp" ] && [ "$(head -c2 "$bmp")" = BM ]; then
  declared=$(od -An -tu4 -j2 -N4 "$bmp" | tr -d ' ')
  bits=$(od -An -tu2 -j28 -N2 "$bmp" | tr -d ' ')
  width=$(od -An -td4 -j18 -N4 "$bmp" | tr -d ' ')
  height=$(od -An -td4 -j22 -N4 "$bmp" | tr -d ' -')
  # Monitor 1 of the user's default settings: the whole virtual display of with-wine.
  if [ "$declared" = "$(stat -c %s "$bmp")" ] && [ "$bits" = 24 ] && [ "$width x $height" = "1280 x 1024" ]; then
    pass "desktop snapshot"
  else
    fail "desktop snapshot: size $declared vs $(stat -c %s "$bmp"), $bits bits, $width x $height"
  fi
else
  fail "no desktop snapshot in the running show's temporary folder"
fi
[ "$(cat "$tempdir/kadodsk.bmp")" = "the user's own file" ] && pass "a user's kadodsk.bmp in the temp folder is kept" ||
  fail "the user's kadodsk.bmp was changed"
rm -f "$tempdir/kadodsk.bmp"
compgen -G "$tempdir/quillmark-show-*" >/dev/null && fail "a show left its temporary folder: $(compgen -G "$tempdir/quillmark-show-*")" ||
  pass "the shows left no temporary folder"

# Any process whose command line names the work folder, in its Unix or its Windows spelling: fixed
# strings, which pgrep (regular expressions) cannot take as they are.
# shellcheck disable=SC2009
left=$(ps -eo pid=,args= | grep -F -e "$work/" -e "$(winpath "$work")\\" | grep -v -e screensaver_e2e.sh -e grep)
[ -z "$left" ] || fail "programs of this test are still running: $left"
echo "e2e: $failures failure(s)"
[ "$failures" = 0 ]
