#!/usr/bin/env bash
# Undo, the standard shortcuts, OBJ in and out, and the question before unsaved work goes, with
# real X input in the real editor under Xvfb:
#   history_e2e.sh KOLVEX_EXECUTABLE DEPTH
# "Mesh", Ctrl+A, Ctrl+S (a new scene: it asks for a name); E and a drag move the grid; Ctrl+Z
# and "Enregistrer..." give the same file as before the move, Ctrl+Y brings the move back. "Exporter OBJ...", Ctrl+N, "Importer OBJ..." give
# the same vertices again. After a change "Quitter" asks; Escape (Annuler) keeps the editor open;
# Ctrl+Q and Return (Oui) save first, then the editor ends.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool perl

read -r tx ty tw th < <(view_area Dessus)
read -r fx fy fw fh < <(view_area Devant)
at_top() { echo $((tx + $1)) $((ty + $2)); }
at_front() { echo $((fx + $1)) $((fy + $2)); }
# Ctrl+S into a file: for a scene without a file of its own, it asks for a name.
save_keys() {
  sleep 0.3
  xdotool key ctrl+s
  save_in_dialog "Sauvegarde d'un fichier Kolvex..." "$1"
}
# "Enregistrer..." into another file, and back to the top view.
save_other() {
  save_as "$1"
  activate $(at_top 125 0)
}
questions() { grep -c "question .* asked" "$work/editor.log"; }

menu_item Shape 1
activate $(at_top 125 0)
xdotool key ctrl+a
xdotool key e
sleep 0.3
# Ctrl+S must not reach the view as S (the fence): the drag below still moves the grid.
save_keys "$work/grid.KVX"
[ "$(vertices "$work/grid.KVX" | wc -l)" = 225 ] || fail "the Mesh grid was not made"
drag $(at_top 100 100) $(at_top 125 100) 5
xdotool key ctrl+z
save_other "$work/undone.KVX"
cmp -s "$work/grid.KVX" "$work/undone.KVX" || fail "Ctrl+Z did not bring the grid back"
xdotool key ctrl+y
save_other "$work/redone.KVX"
paste -d ' ' <(vertices "$work/grid.KVX") <(vertices "$work/redone.KVX") |
  perl -ne '@v = split; exit 1 unless $v[3] == $v[0] + 2.0 && $v[4] == $v[1] && $v[5] == $v[2];
    END { exit 0 }' || fail "Ctrl+Y did not move the grid by 2.0 again"
echo "ok: undo and redo"

# "Fichier": Nouveau, Enregistrer, Ouvrir, Importer, Reset, Quitter, then the OBJ items.
menu_item Fichier 7
save_in_dialog "Exporter au format OBJ" "$work/grid.obj"
xdotool key ctrl+n
sleep 0.5
[ "$(questions)" = 0 ] || fail "Ctrl+N asked about a scene saved just before"
menu_item Fichier 8
open_in_dialog "Importer un fichier OBJ" "$work/grid.obj"
save_other "$work/imported.KVX"
cmp -s <(vertices "$work/redone.KVX") <(vertices "$work/imported.KVX") ||
  fail "the OBJ round trip changed the vertices"
echo "ok: OBJ export and import"

activate $(at_front 125 0)
xdotool key w
xdotool mousemove $(at_front 150 100) click 1
sleep 0.3
menu_item Fichier 6
for _ in $(seq 1 50); do [ "$(questions)" = 1 ] && break; sleep 0.1; done
[ "$(questions)" = 1 ] || fail "Quitter after a change did not ask"
sleep 0.5
xdotool key Escape
sleep 1
kill -0 "$editor_pid" 2>/dev/null || fail "Annuler did not keep the editor open"
grep -q "question answered 2" "$work/editor.log" || fail "Escape did not answer Annuler"
xdotool key ctrl+q
for _ in $(seq 1 50); do [ "$(questions)" = 2 ] && break; sleep 0.1; done
[ "$(questions)" = 2 ] || fail "Ctrl+Q after a change did not ask"
sleep 0.5
xdotool key Return
save_in_dialog "Sauvegarde d'un fichier Kolvex..." "$work/last.KVX"
for _ in $(seq 1 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not end after saving"
editor_pid=""
[ "$(vertices "$work/last.KVX" | wc -l)" = 226 ] || fail "Oui did not save the change first"
echo "PASS: undo, shortcuts, OBJ and unsaved changes at depth $depth"
