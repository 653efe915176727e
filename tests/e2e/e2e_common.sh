# shellcheck shell=bash
# Shared by the whole-program test scripts: runs the script inside a Wine session (with-wine) when it is not
# in one yet, and gives the reporting and path helpers. Source it with the script's own arguments:
#   source "$(dirname "$0")/e2e_common.sh" "$0" "$@"    (then $helper_exe is the helper program)
# $helper_exe, $pid, $log and $work are set by the script that sources this file.
# shellcheck disable=SC2154
e2e_here=$(cd "$(dirname "$1")" && pwd)
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  exec "$e2e_here/../../scripts/with-wine" bash "$@"
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
helper() { timeout -k 5 60 wine "$helper_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# user_settings KEY VALUE...: stores the 72-byte block of the user settings under KEY, given as 18
# little-endian values in decimal.
user_settings() {
  local key=$1 hex="" v; shift
  for v in "$@"; do hex+=$(printf '%02x%02x%02x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255))); done
  timeout -k 5 30 wine reg add "$key" /v data /t REG_BINARY /d "$hex" /f </dev/null >/dev/null 2>&1
}
# The program under test: $pid is its process, $log its log file, $work the test's folder.
alive() { kill -0 "$pid" 2>/dev/null; }
# wait_for TEXT SECONDS: waits until the log has a line with TEXT; false at once when the program has ended.
wait_for() {
  for _ in $(seq $(($2 * 10))); do tr -d '\r' <"$log" | grep -qF "$1" && return 0; alive || break; sleep 0.1; done
  return 1
}
# tick TEXT [N]: the log's millisecond count on the N-th line (the first by default) with TEXT.
tick() { tr -d '\r' <"$log" | grep -F "$1" | sed -n "${2:-1}p" | sed -n 's/^(\(-\?[0-9]*\)).*/\1/p'; }
# shot NAME: the whole virtual screen as a PNG.
shot() { import -window root "$work/$1.png" 2>/dev/null; }
