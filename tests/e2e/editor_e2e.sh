#!/usr/bin/env bash
# Starts the real editor in an Xvfb screen of the given depth and checks what a user would see.
#   editor_e2e.sh KOLVEX_EXECUTABLE DEPTH
# Depth 24 or 16: waits for the window, takes a screenshot and checks pixels of the top view
# ("Dessus"): its background and the two rulers through its centre. Depth 8: the start-up message
# must appear and the program must end with status 0 without showing a view.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_xvfb

if [ "$depth" = 8 ]; then
  # Drawn by the X server itself, the box is readable: mostly white, with black text and frame.
  need xdotool import convert
  launch_editor
  wait_for_log 'message box "Attention..." drawn' "the depth message box did not appear"
  box=$(xdotool search --onlyvisible --name '^Attention\.\.\.$' | head -1)
  [ -n "$box" ] || fail "the depth message box did not appear"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$work/box.png" || fail "screenshot failed"
  [ -n "${KOLVEX_E2E_KEEP:-}" ] && cp "$work/box.png" "$KOLVEX_E2E_KEEP"
  white=$(convert "$work/box.png" -threshold 50% -format "%[fx:round(mean*100)]" info:)
  [ "$white" -ge 60 ] && [ "$white" -le 99 ] ||
    fail "the message box is ${white}% white, not a readable box"
  xdotool key Return
  ended() { ! kill -0 "$editor_pid" 2>/dev/null; }
  poll 10 ended
  wait "$editor_pid"
  status=$?
  editor_pid=""
  [ "$status" = 0 ] || fail "exit status $status at depth 8, expected 0"
  grep -q 'message box "Attention..." answered: Vous devez configurer votre bureau avec 16 ou 24bits de profondeurs de couleur.' \
    "$work/editor.log" || fail "the depth message was not shown"
  if grep -q 'presented' "$work/editor.log"; then fail "a view was shown at depth 8"; fi
  echo "PASS: depth 8 shows a readable message and exits with 0"
  exit 0
fi
export KOLVEX_AUTO_ANSWER=1

need import
start_editor

read -r x y w h < <(view_area Dessus)
[ "$w" = 250 ] && [ "$h" = 250 ] || fail "top view client area is ${w}x$h, expected 250x250"

import -window root "$work/shot.png" || fail "screenshot failed"
[ -n "${KOLVEX_E2E_KEEP:-}" ] && cp "$work/shot.png" "$KOLVEX_E2E_KEEP"

background=$(as_screen 155 155 155)
ruler=$(as_screen 100 100 100)

check() {
  local got
  got=$(shot_pixel "$work/shot.png" $(($x + $1)) $(($y + $2)))
  [ "$got" = "$3" ] || fail "top view pixel ($1, $2) is $got, expected $3 ($4)"
}
check 60 60 "$background" "background"
check 190 200 "$background" "background"
check 0 0 "$background" "background"
check 249 249 "$background" "background"
check 60 125 "$ruler" "x axis through the centre"
check 240 125 "$ruler" "x axis through the centre"
check 125 60 "$ruler" "z axis through the centre"
check 125 240 "$ruler" "z axis through the centre"
check 125 125 "$ruler" "the axes' crossing"
check 124 124 "$background" "next to the crossing"

if command -v xwininfo >/dev/null 2>&1; then
  xwininfo -root -tree | grep -q '"Kolvex v1.0"' || fail "no window titled Kolvex v1.0"
fi
echo "PASS: depth $depth shows the top view with its background and rulers"
