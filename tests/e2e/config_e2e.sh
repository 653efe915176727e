#!/usr/bin/env bash
# Runs the settings dialog of the real screensaver.scr under Wine ("/c"), drives it with window messages
# and checks the tabs for the project's flags, the Transitions list, the dialog picture on the screen,
# what OK, Cancel, Save and Exit write to the registry, and that a project's links open only web
# addresses. Usage: config_e2e.sh SCR HELPER WORKDIR
# A check reads `condition && pass ... || fail ...`: pass only prints, so fail runs exactly when the
# condition fails.
# shellcheck disable=SC2015
set -uo pipefail
source "$(dirname "$0")/e2e_common.sh" "$0" "$@"
scr=$1 helper_exe=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1

# pack FILE NAME FLAGS WEBSITE: a copy of the program with a project attached.
pack() { helper pack "$(winpath "$scr")" "$(winpath "$1")" "$2" "$3" "$4"; [ -s "$1" ] || fail "cannot pack $1"; }
all=37,38,39,56,58,76
pack "$work/all.scr" "Config All.kdp" "$all" "http://quillmark.test/home"
pack "$work/plain.scr" "Config Plain.kdp" 58 ""
pack "$work/evil.scr" "Config Evil.kdp" "$all" "$(winpath "$work/evil.exe")"
pack "$work/www.scr" "Config Www.kdp" "$all" "www.quillmark.test"
pack "$work/program.scr" "Config Program.kdp" "8,$all" ""
cp "$helper_exe" "$work/evil.exe"

# open NAME FILE: starts "/c" in the background and waits for the dialog ($dialog).
open() {
  (cd "$work" && timeout -k 5 60 wine "$2" /c </dev/null >"$work/$1.out" 2>&1) &
  pid=$!
  dialog=$(helper dialog)
  [ -n "$dialog" ] || fail "$1: no settings dialog"
}
# closes NAME: the program ends within ten seconds of the dialog's closing.
closes() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "$1: still running"; kill "$pid"; fi
  wait "$pid" 2>/dev/null
}
do_() { helper "$@" "$dialog" >/dev/null; }
click() { helper click "$dialog" "$1" >/dev/null; }
command() { helper command "$dialog" "$@" >/dev/null; }
# The user settings block as stored, in hex; the 32-bit value at byte offset N is field N/4.
stored() {
  timeout -k 5 30 wine reg query "HKCU\\Software\\quillmark\\$1" /v data </dev/null 2>/dev/null | tr -d '\r' |
    awk '/REG_BINARY/ {print $NF}'
}
field() { local hex; hex=$(stored "$1"); echo "${hex:$(($2 * 2)):2}"; }

# --- every page, the picture and the list; Cancel writes nothing
open all "$work/all.scr"
tabs=$(helper tabs "$dialog")
[ "$tabs" = "Setting,Transitions,Publisher" ] && pass "tabs with every page" || fail "tabs: '$tabs'"
read -r l t r b <<<"$(helper rect "$dialog" 3316)"
import -window root "$work/dialog.png" 2>/dev/null
pixel=$(convert "$work/dialog.png" -format "%[pixel:p{$(((l + r) / 2)),$(((t + b) / 2))}]" info: 2>/dev/null)
[[ $pixel =~ ^(red|srgb\(255,0,0\))$ ]] && pass "the dialog picture is drawn" || fail "picture pixel: '$pixel'"
helper next "$dialog" >/dev/null
read -r vscroll visible <<<"$(helper style "$dialog" 999)"
[ "$vscroll $visible" = "1 1" ] && pass "the effect list shows with a vertical scroll bar" ||
  fail "effect list: scroll bar $vscroll, visible $visible"
import -window root "$work/transitions.png" 2>/dev/null
click 1029
command 2
closes cancel
[ -z "$(stored "Config All")" ] && pass "Cancel writes nothing" || fail "Cancel wrote $(stored "Config All")"

# --- a check box and OK: the block is written with the change (offset 56, own transitions)
open ok "$work/all.scr"
helper next "$dialog" >/dev/null
click 1029
command 1
closes ok
[ "$(field "Config All" 56)" = 01 ] && [ "$(field "Config All" 40)" = 01 ] && pass "OK writes the changed check box" ||
  fail "OK wrote $(stored "Config All")"

# --- only Setting and Description; Save keeps what it wrote when Exit follows a later change
open plain "$work/plain.scr"
tabs=$(helper tabs "$dialog")
[ "$tabs" = "Setting,Description" ] && pass "tabs without Transitions and Publisher" || fail "tabs: '$tabs'"
click 1025
command 57603
click 1025
command 2
closes save
[ "$(field "Config Plain" 40)" = 00 ] && pass "Save then Exit keeps Save's values" ||
  fail "Save then Exit stored $(stored "Config Plain")"

# --- a project whose website is a program: the menu, the picture and the link open nothing
open evil "$work/evil.scr"
command 32773
command 3316 0
helper next "$dialog" >/dev/null; helper next "$dialog" >/dev/null
helper link "$dialog" 1990 >/dev/null
sleep 2
command 2
closes evil
[ ! -e "$work/evil.exe.ran" ] && pass "a program named as website is not started" || fail "the project started a program"

# --- a bare www. address is opened as an http:// address (by the test's own handler)
cp "$helper_exe" "$work/browser.exe"
record=$work/browser.exe.ran
timeout -k 5 30 wine reg add 'HKCR\http\shell\open\command' /ve /d "\"$(winpath "$work/browser.exe")\" %1" /f \
  </dev/null >/dev/null 2>&1
open www "$work/www.scr"
helper next "$dialog" >/dev/null; helper next "$dialog" >/dev/null
helper link "$dialog" 1990 >/dev/null
for _ in $(seq 50); do [ -s "$record" ] && break; sleep 0.2; done
command 2
closes www
tr -d '\r' <"$record" 2>/dev/null | grep -qx "http://www.quillmark.test" && pass "the home page link opens http://www.quillmark.test" ||
  fail "the link opened '$(cat "$record" 2>/dev/null)'"

# --- the running show's "Setting" command opens the dialog over the show, which carries on after it
(cd "$work" && timeout -k 5 60 wine "$work/program.scr" /s </dev/null >"$work/program.out" 2>&1) &
pid=$!
show=$(helper show 32776)
dialog=$(helper dialog)
if [ -n "$show" ] && [ -n "$dialog" ] && [ "$(helper owner "$dialog")" = "$show" ]; then
  pass "the show's Setting command opens the dialog it owns"
else
  fail "Setting from the show: show '$show', dialog '$dialog'"
fi
command 2
sleep 1
kill -0 "$pid" 2>/dev/null && pass "the show goes on after the dialog" || fail "the show ended with the dialog"
helper show 32777 >/dev/null
closes program

echo "config e2e: $failures failure(s)"
[ "$failures" = 0 ]
