#!/usr/bin/env bash
# What a newcomer finds out without reading the source, with real X input in the real editor
# under Xvfb:
#   help_e2e.sh KOLVEX_EXECUTABLE DEPTH
# - F1 opens the key and tool reference beside the editor; it lists the tools' keys (W, Tab,
#   Space, B) and the perspective view's (Page Up).
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool

# The frame's shortcuts act once the editor has the keyboard: a click on a view's title bar.
read -r tx ty _ < <(view_area Dessus)
activate $((tx + 100)) "$ty"
send 1 key F1
wait_for_log 'kolvex: reference "Aide - touches et outils"' "F1 did not open the key reference"
wait_until "the key reference did not come on the screen" on_screen "Aide - touches et outils"
for key in "W, Creer... > Vertex" "Tab" "Espace" "B" "Page Up" "Alt+Page Up"; do
  grep -qxF "kolvex: reference: $key" "$work/editor.log" ||
    fail "the key reference does not list \"$key\""
done
wait_until "the key reference did not get the keyboard" is_active "Aide - touches et outils"
send 1 key Escape
off_screen() { ! on_screen "$1"; }
wait_until "Escape did not close the key reference" off_screen "Aide - touches et outils"
echo "ok: F1 shows the key reference, Escape closes it"

# The world position the status bar gives for the pointer at (x, y): "X Z" (the top view's axes).
world_at() {
  move_to $(($1 + 1)) "$2"  # the pointer may be there already: a move from beside it
  move_to "$1" "$2"
  grep '^kolvex: status ' "$work/editor.log" | tail -1 |
    sed -nE 's/.*X: (-?[0-9.]+)  Y: -?[0-9.]+  Z: (-?[0-9.]+).*/\1 \2/p'
}
read -r dx dy _ < <(view_area Dessus)
px=$((dx + 70)) py=$((dy + 180))
read -r x1 z1 < <(world_at $px $py)
read -r x2 _ < <(world_at $((px + 40)) $py)
[ -n "$x1" ] && [ -n "$x2" ] || fail "the status bar does not give the pointer's position"
# The wheel towards the screen: the point under the pointer stays, the scale doubles.
move_to $px $py
# A wheel turn is no key or button press: the view's new picture shows it was taken.
before=$(count 'presented "Dessus"')
xdotool click 4
wait_until "the wheel did not redraw the top view" more_than 'presented "Dessus"' "$before"
read -r x3 z3 < <(world_at $px $py)
read -r x4 _ < <(world_at $((px + 40)) $py)
[ "$x3 $z3" = "$x1 $z1" ] || fail "the wheel moved the point under the pointer ($x1 $z1 -> $x3 $z3)"
awk -v a="$x1" -v b="$x2" -v c="$x3" -v d="$x4" 'BEGIN { r = (d - c) / (b - a); exit !(r > 0.49 && r < 0.51) }' ||
  fail "a notch of the wheel did not halve the view's width ($x1 $x2 / $x3 $x4)"
echo "ok: the wheel zooms about the pointer"
# A middle drag carries the world with the pointer.
move_to $px $py
send 1 mousedown 2
move_to $((px + 30)) $((py - 50))
send 1 mouseup 2
read -r x5 z5 < <(world_at $((px + 30)) $((py - 50)))
[ "$x5 $z5" = "$x1 $z1" ] || fail "a middle drag did not carry the world with the pointer ($x1 $z1 -> $x5 $z5)"
echo "ok: a middle drag pans"

# The perspective view: a drag turns the camera, F frames the model again.
menu_command Shape Mesh
read -r qx qy qw qh < <(view_area Perspective)
shot() { import -window root -crop "${qw}x${qh}+$qx+$qy" +repage "$work/$1.png" || fail "screenshot failed"; }
activate $((qx + 125)) "$qy"
presented() { count 'presented "Perspective"'; }
shot start
before=$(presented)
# A middle drag, in small steps as a hand moves.
send 1 mousemove $((qx + 100)) $((qy + 125)) mousedown 2
for i in 1 2 3 4; do move_to $((qx + 100 + 20 * i)) $((qy + 125 - 9 * i)); done
send 1 mouseup 2
wait_until "the drag did not redraw the perspective view" more_than 'presented "Perspective"' "$before"
shot turned
[ "$(compare -metric AE "$work/start.png" "$work/turned.png" null: 2>&1)" != 0 ] ||
  fail "a middle drag in the perspective view did not turn the picture"
before=$(presented)
send 1 key f
wait_until "F did not redraw the perspective view" more_than 'presented "Perspective"' "$before"
shot framed
[ "$(compare -metric AE "$work/turned.png" "$work/framed.png" null: 2>&1)" != 0 ] ||
  fail "F did not bring the camera back"
echo "ok: the perspective camera turns and F frames the model"
