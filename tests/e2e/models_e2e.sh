#!/usr/bin/env bash
# Every model format through "Fichier", with real X input in the real editor under Xvfb:
#   models_e2e.sh KOLVEX_EXECUTABLE DEPTH
# "Mesh", then "Exporter..." as .glb (the glTF binary's magic), as .stl (84 bytes and 50 per
# triangle, and the status bar says the colours are lost) and under a name without extension
# (the chosen filter's, glTF binary, is added). "Importer un modèle..." adds an OBJ triangle as
# one step: Ctrl+Z takes it away again; so does the exported .glb, whose vertices come back as
# they were. A big OBJ model (a million squares) shows the busy cursor
# and the progress while it is read.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool perl

read -r tx ty tw th < <(view_area Dessus)
export_as() {
  menu_item Fichier "Exporter..."
  save_in_dialog "Exporter le modèle" "$1"
  wait_for_log "kolvex: status Exporté : $1 (" "the status bar did not name $1"
}
vertex_count() { [ "$(vertices "$1" | wc -l)" = "$2" ]; }
save_checked() {
  save_as "$1"
  activate $((tx + 125)) "$ty"
  vertex_count "$1" "$2" || fail "$3 ($(vertices "$1" | wc -l) vertices)"
}

menu_command Shape Mesh
save_checked "$work/grid.KVX" 225 "the Mesh grid was not made"

export_as "$work/grid.glb"
[ "$(head -c 4 "$work/grid.glb")" = glTF ] || fail "grid.glb does not start with glTF"
echo "ok: exported as glTF binary"

export_as "$work/grid.stl"
triangles=$(perl -e 'open my $f, "<:raw", $ARGV[0]; read $f, my $h, 84; print unpack("x80 L<", $h)' "$work/grid.stl")
[ "$triangles" -ge 392 ] || fail "grid.stl holds $triangles triangles"
[ "$(stat -c %s "$work/grid.stl")" = $((84 + 50 * triangles)) ] || fail "grid.stl has the wrong size"
grep -F "kolvex: status Exporté : $work/grid.stl (" "$work/editor.log" | grep -qF "couleurs des faces" ||
  fail "the status bar did not say the STL file loses the colours"
echo "ok: exported as STL, $triangles triangles"

menu_item Fichier "Exporter..."
type_into_dialog "Exporter le modèle" "$work/named" shut || fail "the export dialog did not take a name"
dialog_gone "Exporter le modèle"
wait_until "a name without extension was not written as .glb" test -s "$work/named.glb"
echo "ok: the chosen filter gives the extension"

printf 'v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n' >"$work/tri.obj"
menu_item Fichier "Importer un modèle..."
open_in_dialog "Importer un modèle" "$work/tri.obj"
save_checked "$work/imported.KVX" 228 "the OBJ model was not added"
send 2 key ctrl+z
save_checked "$work/undone.KVX" 225 "one Ctrl+Z did not take the import away"
echo "ok: imported as one step"

# The glTF binary exported above comes back as the same vertices, on top of the grid.
menu_item Fichier "Importer un modèle..."
open_in_dialog "Importer un modèle" "$work/grid.glb"
save_checked "$work/twice.KVX" 450 "the exported glTF binary was not read back"
cmp <(vertices "$work/grid.KVX") <(vertices "$work/twice.KVX" | tail -n 225) ||
  fail "the glTF binary's vertices came back otherwise"
send 2 key ctrl+z
save_checked "$work/undone2.KVX" 225 "one Ctrl+Z did not take the glTF import away"
echo "ok: the exported glTF binary reads back"

# A grid of 1000 x 1000 squares: reading it takes longer than half a second.
n=1001
perl -e 'my $n = $ARGV[0]; for my $i (0 .. $n - 1) { for my $j (0 .. $n - 1) { print "v $i $j 0\n" } }
  for my $i (0 .. $n - 2) { for my $j (0 .. $n - 2) { my $a = $i * $n + $j + 1; my $b = $a + $n;
    print "f $a $b ", $b + 1, " ", $a + 1, "\n" } }' "$n" >"$work/big.obj"
menu_item Fichier "Importer un modèle..."
open_in_dialog "Importer un modèle" "$work/big.obj"
wait_for_log "kolvex: busy cursor on" "the busy cursor did not come during the import"
wait_for_log "kolvex: status Import en cours... " "the status bar did not show the import's progress"
# A sanitizer build reads and adds it ten times slower than a normal one.
long_wait() { poll 90 grep -qF -- "$1" "$work/editor.log" || fail "$2"; }
long_wait "kolvex: busy cursor off" "the busy cursor did not go after the import"
long_wait "kolvex: status Vertex: $((225 + n * n)) (" "the big model was not added"
echo "PASS: model export and import at depth $depth"
