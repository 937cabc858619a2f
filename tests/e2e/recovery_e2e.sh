#!/usr/bin/env bash
# Work survives a kill, with real X input in the real editor under Xvfb:
#   recovery_e2e.sh KOLVEX_EXECUTABLE DEPTH
# "Mesh" and 49 arrow nudges of every vertex (fifty changes: a recovery copy is written), then
# SIGKILL. Started again, the editor asks "Récupérer le travail non enregistré ?"; Return answers
# Oui, and "Enregistrer..." writes a file that holds exactly the recovered scene; the copy then
# goes. One more nudge and Ctrl+S ("Enregistrer") save to that file again, without a dialog.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool
copies="$XDG_STATE_HOME/kolvex"

menu_command Shape Mesh
read -r tx ty tw th < <(view_area Dessus)
activate $((tx + 125)) "$ty"
send 2 key ctrl+a
send 49 key $(printf 'Right %.0s' $(seq 1 49))
copied() { ls "$copies"/recovery-*.KVX >/dev/null 2>&1; }
poll 10 copied
copy=$(ls "$copies"/recovery-*.KVX 2>/dev/null | head -1)
[ -n "$copy" ] || fail "no recovery copy after fifty changes"
cp "$copy" "$work/expected.KVX"
{ kill -9 "$editor_pid"; wait "$editor_pid"; } 2>/dev/null
editor_pid=""

launch_editor
wait_for_log 'question "Récupérer le travail non enregistré ?" asked' \
  "the editor did not offer the lost work"
wait_until "the question's box did not get the keyboard" box_ready 1
xdotool key Return
wait_for_log 'question answered 6' "Return did not answer Oui"
wait_for_log 'presented "Dessus"' "the views did not appear after the question"
settle_start
save_as "$work/recovered.KVX"
cmp -s "$work/expected.KVX" "$work/recovered.KVX" || fail "the saved file differs from the lost work"
gone() { ! copied; }
poll 5 gone
ls "$copies"/recovery-*.KVX >/dev/null 2>&1 && fail "a recovery copy stays after the save"

changed() { ! cmp -s "$work/expected.KVX" "$work/recovered.KVX"; }
nudge_and_quick_save "Ctrl+S did not save the nudge" changed
echo "PASS: work killed with the editor comes back at depth $depth"
