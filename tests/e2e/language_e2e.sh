#!/usr/bin/env bash
# The editor's language, chosen with real X input in the real editor under Xvfb:
#   language_e2e.sh KOLVEX_EXECUTABLE DEPTH
# - "?" > "English" gives the menu bar its English titles; the choice lasts into the next run;
# - "?" > "Français" gives back the described French menu bar.
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
start_session xdotool

french=(Fichier Edition Affichage Vues Layer Creations Shape Action Fenetre "?")
english=(File Edit Display Views Layer Create Shape Action Window "?")
# True when the menu bar's titles as last listed in the trace are these, in order.
menu_bar_is() {
  local listed
  listed=$(grep -E '^kolvex: menu ".*" at ' "$work/editor.log" | tail -n "$#" |
    sed -E 's/^kolvex: menu "(.*)" at .*/\1/' | tr '\n' '|')
  [ "$listed" = "$(printf '%s|' "$@")" ]
}

wait_until "the menu bar did not start in French" menu_bar_is "${french[@]}"
menu_command "?" "English"
wait_until "\"?\" > \"English\" did not give the menu bar its English titles" \
  menu_bar_is "${english[@]}"
# The items too: "?" > "Help..." opens the key reference in English.
menu_item "?" "Help..."
wait_for_log 'kolvex: reference "Help - keys and tools"' "\"?\" > \"Help...\" did not open the English reference"
grep -qxF "kolvex: reference: Space" "$work/editor.log" || fail "the reference does not name the Space key in English"
echo "ok: \"?\" > \"English\" shows the English menus"

# The next run starts in English.
kill "$editor_pid" && wait "$editor_pid" 2>/dev/null
start_editor
wait_until "the next run did not start in English" menu_bar_is "${english[@]}"
echo "ok: the choice lasts into the next run"

menu_command "?" "Français"
wait_until "\"?\" > \"Français\" did not give back the French menu bar" menu_bar_is "${french[@]}"
echo "ok: \"?\" > \"Français\" gives back the French menus"
