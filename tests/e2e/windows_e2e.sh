#!/usr/bin/env bash
# Windows as a user moves through them, with real X input in the real editor under Xvfb:
#   windows_e2e.sh KOLVEX_EXECUTABLE DEPTH
# - Modeless dialogs leave the screen when closed: the point-light dialog ("Point Light" >
#   "Editer..." in the perspective popup) by Escape, by OK (Return) and by a click on Cancel; the
#   position dialog ("Affichage" > "Position de la souris") by Escape, and opened again it is one
#   window, never two.
# - With "Deplacement" unchecked, a view closed and opened again stays where it is made, (0, 0).
# - With every view closed, a menu closed by Escape gives the keyboard back: Escape then ends
#   the editor.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
export KOLVEX_AUTO_ANSWER=1  # the unsaved "Mesh" is not kept when Escape ends the editor
start_session xdotool

# How many windows of this exact title are mapped.
mapped() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# Waits until n windows of this title are mapped; fails with what after a while.
expect_mapped() {
  mapped_is() { [ "$(mapped "$1")" = "$2" ]; }
  poll 5 mapped_is "$1" "$2" && return 0
  fail "$3 ($(mapped "$1") \"$1\" windows mapped, expected $2)"
}

# A model, and the views where "Mesh" redraws them.
menu_command Shape Mesh
read -r px py pw ph < <(view_area Perspective)
[ -n "$px" ] || fail "no perspective view"
open_point_light() {
  activate $((px + 125)) "$py"
  open_popup $((px + 125)) $((py + 125))
  choose "" "Point Light" "Editer..."
  expect_mapped "Point Light" 1 "the point-light dialog did not open"
  dialog=$(xdotool search --onlyvisible --name '^Point Light$' | head -1)
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  wait_until "the point-light dialog did not get the keyboard" is_active "Point Light"
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
  menu_item Affichage "Position de la souris"
  expect_mapped Position 1 "round $round: not exactly one position dialog"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Position$' | head -1)" 2>/dev/null
  wait_until "round $round: the position dialog did not get the keyboard" is_active Position
  xdotool key Escape
  expect_mapped Position 0 "round $round: Escape left the position dialog on screen"
done
echo "ok: position"

menu_command Fenetre Deplacement  # unchecked
read -r x y w h < <(view_area Gauche)
send 2 mousemove $((x + w - 9)) $((y - 10)) click 1
menu_command Vues Gauche
read -r rx ry rw rh < <(view_area Gauche)
[ "$rx" -lt 10 ] && [ "$ry" = "$y" ] || fail "the reopened left view is at $rx $ry, not at (0, 0)"
echo "ok: reopened view"

kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"
# Every view closed through "Vues", whose seven items toggle them.
for item in Dessus Bas Droite Gauche Devant Derrière Perspective; do menu_command Vues "$item"; done
[ "$(grep -c 'menu "Fichier"' "$work/editor.log")" -ge 1 ] || fail "no menu bar traced"
read -r mx my mw mh < <(menu_area Fichier)
open_menu Fichier xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1
# The first Escape closes the menu, the second leaves the menu bar, the third is the frame's.
send 1 key Escape
send 1 key Escape
xdotool key Escape
ended() { ! kill -0 "$editor_pid" 2>/dev/null; }
poll 5 ended
kill -0 "$editor_pid" 2>/dev/null && fail "Escape no longer reaches the frame after a menu"
wait "$editor_pid"
status=$?
editor_pid=""
[ "$status" = 0 ] || fail "the editor ended with status $status"
echo "PASS: dialogs, reopened views and the keyboard after a menu at depth $depth"
