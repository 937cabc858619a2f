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
echo "ok: F1 shows the key reference"
