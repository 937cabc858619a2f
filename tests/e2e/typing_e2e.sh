#!/usr/bin/env bash
# Typed positions and faces turned over, with real X input in the real editor under Xvfb:
#   typing_e2e.sh KOLVEX_EXECUTABLE DEPTH
# - "Position des vertex..." puts the one selected vertex at the typed coordinates, which the
#   saved file holds exactly; Ctrl+Z takes the whole change back.
# - "Retourner les faces" turns the selected faces' stored corners round; Ctrl+Z turns them back.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
kvxtool=$(dirname "$exe")/../tools/kvxtool
start_session xdotool

read -r tx ty _ < <(view_area Dessus)
activate $((tx + 125)) "$ty"
send 2 mousemove $((tx + 150)) $((ty + 100)) click 1  # the start tool makes a vertex
send 2 key ctrl+a
title="Position des vertex"
open_popup $((tx + 60)) $((ty + 200))
choose "" Edition "Position des vertex..."
wait_until "the dialog \"$title\" did not open" on_screen "$title"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$title\$" | head -1)" 2>/dev/null
wait_until "the dialog \"$title\" did not get the keyboard" is_active "$title"
# The first box has the keyboard; each box is filled anew, then OK.
for value in 1.25 -2,5 3e-1; do
  xdotool key ctrl+a
  xdotool type --delay 10 -- "$value"
  xdotool key Tab
done
xdotool key Return
dialog_gone "$title"
save_as "$work/typed.KVX"
[ "$(vertices "$work/typed.KVX")" = "1.25 -2.5 0.30000001192092896" ] ||
  fail "the typed position is not what the file holds: $(vertices "$work/typed.KVX")"
send 2 key ctrl+z
save_as "$work/undone.KVX"
[ "$(vertices "$work/undone.KVX")" != "$(vertices "$work/typed.KVX")" ] ||
  fail "Ctrl+Z did not take the typed position back"
echo "ok: a typed position lands in the file and undoes in one step"

# The corners as an OBJ file lists them, one face a line.
corners() {
  "$kvxtool" export "$1" "$work/corners.obj" >/dev/null || fail "kvxtool export of $1 failed"
  grep '^f ' "$work/corners.obj"
}
reversed() { awk '{ printf "f"; for (i = NF; i > 1; --i) printf " %s", $i; print "" }'; }
menu_command Shape Mesh
menu_command Edition "Sélectionner les faces"
save_as "$work/mesh.KVX"
open_popup $((tx + 60)) $((ty + 200))
choose "" Edition "Retourner les faces"
save_as "$work/turned.KVX"
[ "$(corners "$work/turned.KVX")" = "$(corners "$work/mesh.KVX" | reversed)" ] ||
  fail "\"Retourner les faces\" did not turn the stored corners round"
send 2 key ctrl+z
save_as "$work/back.KVX"
[ "$(corners "$work/back.KVX")" = "$(corners "$work/mesh.KVX")" ] ||
  fail "Ctrl+Z did not turn the faces back"
echo "ok: faces turned over in the file, and back in one step"
