#!/usr/bin/env bash
# A new user's first edit, with real X input (xdotool) in the real editor under Xvfb:
#   editing_e2e.sh KOLVEX_EXECUTABLE DEPTH
# "Shape" > "Mesh"; in "Dessus": S, a fence around the grid, E, a drag of 25 pixels to the right;
# "Enregistrer...": every vertex is 2.0 further along x. W and a click in "Devant" adds a vertex
# where it was clicked. The right button opens the menu centred on the click. "Rotation" chosen
# from that menu, a drag of 10 pixels down turns the selection 20 degrees about y; the
# cursor stays in the view until the right button ends the rotation, which opens no menu.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool perl

read -r tx ty tw th < <(view_area Dessus)
read -r fx fy fw fh < <(view_area Devant)
[ "$tw" = 250 ] && [ "$fw" = 250 ] || fail "view sizes ${tw} and ${fw}, expected 250"

# Positions in a view's client area, on the screen.
at_top() { echo $((tx + $1)) $((ty + $2)); }
at_front() { echo $((fx + $1)) $((fy + $2)); }

menu_command Shape Mesh
activate $(at_top 125 0)
send 1 key s
drag $(at_top 2 2) $(at_top 248 248) 8
save_as "$work/grid.KVX"
[ "$(vertices "$work/grid.KVX" | wc -l)" = 225 ] || fail "the Mesh grid was not made"

send 1 key e
drag $(at_top 100 100) $(at_top 125 100) 5
save_as "$work/moved.KVX"
paste -d ' ' <(vertices "$work/grid.KVX") <(vertices "$work/moved.KVX") |
  perl -ne '@v = split; exit 1 unless $v[3] == $v[0] + 2.0 && $v[4] == $v[1] && $v[5] == $v[2];
    END { exit 0 }' || fail "a fenced vertex did not move by exactly 2.0 along x"
echo "ok: fence and move"

activate $(at_front 125 0)
send 1 key w
send 2 mousemove $(at_front 150 100) click 1
save_as "$work/created.KVX"
[ "$(vertices "$work/created.KVX" | wc -l)" = 226 ] || fail "the click in Devant added no vertex"
[ "$(vertices "$work/created.KVX" | tail -1)" = "2 2 0" ] ||
  fail "the new vertex is at $(vertices "$work/created.KVX" | tail -1), expected 2 2 0"
echo "ok: create vertex"

activate $(at_top 125 0)
before=$(popups)
read -r cx cy < <(at_top 200 180)
open_popup "$cx" "$cy"
[ "$(popups)" = $((before + 1)) ] || fail "the right button opened no menu"
read -r px py pw ph < <(grep "popup menu at" "$work/editor.log" | tail -1 |
  sed -E 's/.* at (-?[0-9]+) (-?[0-9]+) size ([0-9]+) ([0-9]+)/\1 \2 \3 \4/')
[ $((px + pw / 2 - cx)) -ge -1 ] && [ $((px + pw / 2 - cx)) -le 1 ] &&
  [ $((py + ph / 2 - cy)) -ge -1 ] && [ $((py + ph / 2 - cy)) -le 1 ] ||
  fail "the menu at $px $py size $pw $ph is not centred on the click at $cx $cy"
choose "" "Deplacer..." "Rotation"
echo "ok: popup menu"

drag $(at_top 125 125) $(at_top 125 135) 10
move_by 400 0
eval "$(xdotool getmouselocation --shell)"
[ "$X" -lt $((tx + tw)) ] || fail "the pointer left the view during the rotation (x $X)"
before=$(popups)
target=$(($(inputs) + 2))
xdotool click 3
# Handled, or a menu opened (whose own loop leaves the editor never idle).
taken_or_menu() { idle_after "kolvex: input " "$target" || [ "$(popups)" != "$before" ]; }
wait_until "the right button that ends a rotation was not taken" taken_or_menu
[ "$(popups)" = "$before" ] || fail "the right button that ends a rotation opened the menu"
move_by 400 0
eval "$(xdotool getmouselocation --shell)"
[ "$X" -ge $((tx + tw)) ] || fail "the pointer is still held in the view after the rotation"
save_as "$work/turned.KVX"
paste -d ' ' <(vertices "$work/moved.KVX") <(vertices "$work/turned.KVX" | head -225) |
  perl -ne '@v = split; $a = 20 * 3.1416 / 180;
    $x = $v[0] * cos($a) + $v[2] * sin($a); $z = -$v[0] * sin($a) + $v[2] * cos($a);
    exit 1 unless abs($v[3] - $x) < 1e-4 && $v[4] == $v[1] && abs($v[5] - $z) < 1e-4;
    END { exit 0 }' || fail "the rotation did not turn the selection 20 degrees about y"
[ "$(vertices "$work/turned.KVX" | tail -1)" = "2 2 0" ] || fail "an unselected vertex turned"
echo "PASS: editing in the views at depth $depth"
