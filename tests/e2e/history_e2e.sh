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
  xdotool key ctrl+s
  save_in_dialog "Sauvegarde d'un fichier Kolvex..." "$1"
}
# "Enregistrer..." into another file, and back to the top view.
save_other() {
  save_as "$1"
  activate $(at_top 125 0)
}
questions() { grep -c "question .* asked" "$work/editor.log"; }

menu_command Shape Mesh
activate $(at_top 125 0)
send 2 key ctrl+a
send 1 key e
# Ctrl+S must not reach the view as S (the fence): the drag below still moves the grid.
save_keys "$work/grid.KVX"
[ "$(vertices "$work/grid.KVX" | wc -l)" = 225 ] || fail "the Mesh grid was not made"
drag $(at_top 100 100) $(at_top 125 100) 5
send 2 key ctrl+z
save_other "$work/undone.KVX"
cmp -s "$work/grid.KVX" "$work/undone.KVX" || fail "Ctrl+Z did not bring the grid back"
send 2 key ctrl+y
save_other "$work/redone.KVX"
paste -d ' ' <(vertices "$work/grid.KVX") <(vertices "$work/redone.KVX") |
  perl -ne '@v = split; exit 1 unless $v[3] == $v[0] + 2.0 && $v[4] == $v[1] && $v[5] == $v[2];
    END { exit 0 }' || fail "Ctrl+Y did not move the grid by 2.0 again"
echo "ok: undo and redo"

menu_item Fichier "Exporter OBJ..."
save_in_dialog "Exporter au format OBJ" "$work/grid.obj"
target=$(($(inputs) + 2))
xdotool key ctrl+n
# Handled, or a question asked (whose box leaves the editor never idle).
taken_or_asked() { idle_after "kolvex: input " "$target" || [ "$(questions)" != 0 ]; }
wait_until "Ctrl+N was not taken" taken_or_asked
[ "$(questions)" = 0 ] || fail "Ctrl+N asked about a scene saved just before"
menu_item Fichier "Importer OBJ..."
open_in_dialog "Importer un fichier OBJ" "$work/grid.obj"
save_other "$work/imported.KVX"
cmp -s <(vertices "$work/redone.KVX") <(vertices "$work/imported.KVX") ||
  fail "the OBJ round trip changed the vertices"
echo "ok: OBJ export and import"

activate $(at_front 125 0)
send 1 key w
send 2 mousemove $(at_front 150 100) click 1
menu_item Fichier Quitter
asked() { [ "$(questions)" = "$1" ]; }
poll 5 asked 1
[ "$(questions)" = 1 ] || fail "Quitter after a change did not ask"
wait_until "the question's box did not get the keyboard" box_ready 1
xdotool key Escape
# Answered, then either idle again or ended (which the check below catches).
idle_or_ended() { idle_after_last "question answered" || ! kill -0 "$editor_pid" 2>/dev/null; }
poll 20 idle_or_ended
kill -0 "$editor_pid" 2>/dev/null || fail "Annuler did not keep the editor open"
grep -q "question answered 2" "$work/editor.log" || fail "Escape did not answer Annuler"
xdotool key ctrl+q
poll 5 asked 2
[ "$(questions)" = 2 ] || fail "Ctrl+Q after a change did not ask"
wait_until "the question's box did not get the keyboard" box_ready 2
xdotool key Return
# The editor ends once it has saved: no wait for it to be idle.
type_into_dialog "Sauvegarde d'un fichier Kolvex..." "$work/last.KVX" saved ||
  fail "nothing saved to $work/last.KVX"
ended() { ! kill -0 "$editor_pid" 2>/dev/null; }
poll 5 ended
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not end after saving"
editor_pid=""
[ "$(vertices "$work/last.KVX" | wc -l)" = 226 ] || fail "Oui did not save the change first"
echo "PASS: undo, shortcuts, OBJ and unsaved changes at depth $depth"
