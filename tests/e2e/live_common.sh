# shellcheck shell=bash
# Helpers of the live show's whole-program tests (sourced; $work and $log are the caller's).
# shellcheck disable=SC2154 # $work and $log are set by the script that sources this file
# Under the leak checker, what system libraries keep for the process is theirs.
LSAN_OPTIONS="suppressions=$(dirname "${BASH_SOURCE[0]}")/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export LSAN_OPTIONS
alive() { kill -0 "$1" 2>/dev/null; }
# ended PID SECONDS: waits until the process has ended.
ended() { for _ in $(seq $(($2 * 20))); do alive "$1" || return 0; sleep 0.05; done; ! alive "$1"; }
# cpu_ticks PID: the process's user and system time so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# find_window NAME SECONDS: the id of the visible window with the name.
find_window() {
  local id
  for _ in $(seq $(($2 * 10))); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# wait_for TEXT SECONDS: until the log has a line with TEXT.
wait_for() { for _ in $(seq $(($2 * 10))); do grep -qF "$1" "$log" && return 0; sleep 0.1; done; return 1; }
# wait_for_count TEXT N SECONDS: until the log has N lines with TEXT.
wait_for_count() {
  for _ in $(seq $(($3 * 10))); do [ "$(grep -cF "$1" "$log")" -ge "$2" ] && return 0; sleep 0.1; done; return 1
}
# tick TEXT: the log's millisecond count on the first line with TEXT.
tick() { grep -F "$1" "$log" | head -n1 | sed -n 's/^(\(-\?[0-9]*\)).*/\1/p'; }
# shot WINDOW NAME: the window's content as NAME.png.
shot() { [ -n "$1" ] && import -window "$1" "$work/$2.png" 2>/dev/null; }
# shot_until WINDOW NAME X Y COLOUR SECONDS: takes shots until the pixel has the colour (false if it never does).
shot_until() {
  for _ in $(seq $(($6 * 5))); do
    shot "$1" "$2" && [ "$(pixel "$2" "$3" "$4")" = "$5" ] && return 0
    sleep 0.2
  done
  return 1
}
pixel() { convert "$work/$1.png" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6; }
count() { convert "$work/$1.png" -crop "$2" +repage txt:- 2>/dev/null | grep -ci "$3"; }
colours() { convert "$work/$1.png" -crop "$2" +repage -format '%k' info: 2>/dev/null; }
