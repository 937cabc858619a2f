#!/usr/bin/env bash
# Modeless dialogs leave the screen when closed, whichever way, with real X input in the real
# editor under Xvfb:
#   dialogs_e2e.sh KOLVEX_EXECUTABLE DEPTH
# The point-light dialog ("Point Light" > "Editer..." in the perspective popup) closed by
# Escape, by OK (Return) and by a click on Cancel; the position dialog ("Affichage" > "Position
# de la souris") closed by Escape and opened again: one window, never two.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool

# How many windows of this exact title are mapped.
mapped() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# Waits until n windows of this title are mapped; fails with what after a while.
expect_mapped() {
  for _ in $(seq 1 50); do
    [ "$(mapped "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  fail "$3 ($(mapped "$1") \"$1\" windows mapped, expected $2)"
}

# A model, and the views where "Mesh" redraws them.
menu_item Shape 1
sleep 0.5
read -r px py pw ph < <(view_area Perspective)
[ -n "$px" ] || fail "no perspective view"
open_point_light() {
  activate $((px + 125)) "$py"
  xdotool mousemove $((px + 125)) $((py + 125)) click 3
  sleep 0.5
  xdotool key Down Right Return
  expect_mapped "Point Light" 1 "the point-light dialog did not open"
  dialog=$(xdotool search --onlyvisible --name '^Point Light$' | head -1)
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  sleep 0.3
}

open_point_light
xdotool key Escape
expect_mapped "Point Light" 0 "Escape left the point-light dialog on screen"
open_point_light
xdotool key Return
expect_mapped "Point Light" 0 "OK left the point-light dialog on screen"
open_point_light
# Cancel stands at (154, 24)..(189, 38) of the dialog's 194 x 62 units.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH * 171 / 194)) $((Y + HEIGHT * 31 / 62)) click 1
expect_mapped "Point Light" 0 "Cancel left the point-light dialog on screen"
echo "ok: point light"

for round in 1 2; do
  menu_item Affichage 8
  expect_mapped Position 1 "round $round: not exactly one position dialog"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Position$' | head -1)" 2>/dev/null
  sleep 0.3
  xdotool key Escape
  expect_mapped Position 0 "round $round: Escape left the position dialog on screen"
done
kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"
echo "PASS: dialogs leave the screen at depth $depth"
