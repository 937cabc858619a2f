#!/usr/bin/env bash
# The real editor under random X input for a while (ten minutes by default), then a check that it
# still answers and a report of its peak memory:
#   random_x.sh KOLVEX_EXECUTABLE [SECONDS] [DEPTH]
# Clicks, drags and right clicks over the whole screen, keys the views use, the menus chosen by
# mouse and keyboard. Message boxes answer themselves (KOLVEX_AUTO_ANSWER), so a "Quitter" ends
# the editor normally: it is then started again and counted. File dialogs answer files of the
# run's own folder (KOLVEX_AUTO_FOLDER): saves and exports write new files there, opens and
# imports read the latest saved. Any other end (a crash) fails the run, and so does a last saved
# scene that does not open. Not part of `make test`.
set -uo pipefail

exe=$1
seconds=${2:-600}
depth=${3:-24}
. "$(dirname "$0")/xvfb_lib.sh"
need xdotool
export KOLVEX_AUTO_ANSWER=1
export KOLVEX_AUTO_FOLDER="$work/files"
mkdir -p "$KOLVEX_AUTO_FOLDER"
kvxtool="$(dirname "$exe")/../tools/kvxtool"
start_xvfb

RANDOM=${KOLVEX_RANDOM_SEED:-1998}
keys=(w q s d e r t g Tab apostrophe space Left Right Up Down b v c x Prior Next Home End
      Insert Delete KP_Add KP_Subtract 1 5 9 ctrl+z ctrl+y ctrl+a alt+Left ctrl+s ctrl+o)
starts=0
peak=0
steps=0
start_once() {
  start_editor
  starts=$((starts + 1))
}
# The editor's peak resident memory so far, in kB.
note_peak() {
  local hwm
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$editor_pid/status" 2>/dev/null)
  [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ] && peak=$hwm
}

# Sends a click (xdotool's arguments, n key or button events) and waits up to 2 s until the
# editor has handled it or shown a menu.
click_then_wait() {
  local target=$(($(inputs) + $1)) shown
  shift
  shown=$(count "kolvex: menu shown")
  xdotool "$@"
  handled_or_menu() { idle_after "kolvex: input " "$target" || more_than "kolvex: menu shown" "$shown"; }
  poll 2 handled_or_menu
}

start_once
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  if ! kill -0 "$editor_pid" 2>/dev/null; then
    wait "$editor_pid"
    status=$?
    cat "$work/editor.log" >>"$work/all.log"
    [ "$status" = 0 ] || fail "the editor ended with status $status after $steps steps"
    editor_pid=""
    start_once
  fi
  x=$((RANDOM % 800)) y=$((RANDOM % 600))
  case $((RANDOM % 10)) in
    0|1|2) xdotool mousemove $x $y click 1 ;;
    3) x2=$((x + RANDOM % 60 - 30)) y2=$((y + RANDOM % 60 - 30))
       xdotool mousemove $x $y mousedown 1 mousemove $((x2 < 0 ? 0 : x2)) $((y2 < 0 ? 0 : y2)) \
         mouseup 1 ;;
    4) click_then_wait 2 mousemove $x $y click 3
       xdotool key $(printf 'Down %.0s' $(seq 1 $((RANDOM % 8)))) Return ;;
    5) click_then_wait 2 mousemove $((RANDOM % 520)) 8 click 1
       xdotool key $(printf 'Down %.0s' $(seq 1 $((RANDOM % 10)))) Return ;;
    *) xdotool key "${keys[$((RANDOM % ${#keys[@]}))]}" ;;
  esac
  steps=$((steps + 1))
  [ $((steps % 25)) = 0 ] && note_peak
done

# Still answering: a click on a view's title redraws it.
kill -0 "$editor_pid" 2>/dev/null || start_once
before=$(grep -c presented "$work/editor.log")
xdotool key Escape Escape
read -r tx ty tw th < <(view_area Dessus)
activate $((tx + 125)) $ty
activate $((tx + 400)) $ty
answered() { [ "$(grep -c presented "$work/editor.log")" -gt "$before" ]; }
poll 5 answered
[ "$(grep -c presented "$work/editor.log")" -gt "$before" ] || fail "the editor no longer answers"
note_peak
cat "$work/editor.log" >>"$work/all.log"

# The files the run wrote and read; the last scene saved opens.
saves=$(grep -c 'file dialog .*: /.*/saved-' "$work/all.log")
last=$(ls -t "$KOLVEX_AUTO_FOLDER"/saved-*.KVX 2>/dev/null | head -1)
verdict="no scene saved"
if [ -n "$last" ]; then
  verdict="the last saved scene opens"
  "$kvxtool" info "$last" >"$work/info.txt" 2>&1 || fail "the last saved scene does not open: $(cat "$work/info.txt")"
fi
echo "PASS: $steps random steps in $seconds s, $starts start(s), $saves files chosen," \
  "$(ls "$KOLVEX_AUTO_FOLDER" | wc -l) written, $verdict," \
  "peak resident memory $((peak / 1024)) MB"
