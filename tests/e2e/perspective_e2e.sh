#!/usr/bin/env bash
# The perspective window as a user drives it, with real X input in the real editor under Xvfb:
#   perspective_e2e.sh KOLVEX_EXECUTABLE DEPTH
# After "Shape" > "Mesh": Page Up turns the model and Escape puts it back pixel for pixel; the
# popup's "Sauvegarder..." writes a 187,518-byte Targa identical to kvxtool render of the same
# scene; "Background" > "Couleur..." with a colour picked on the dialog's hue strip changes the
# background.
set -uo pipefail

exe=$1
depth=$2
kvxtool=$(dirname "$exe")/../tools/kvxtool
. "$(dirname "$0")/xvfb_lib.sh"
[ -x "$kvxtool" ] || fail "no kvxtool at $kvxtool"
start_session xdotool

# The perspective picture on the screen, as a PNG.
shot() {
  import -window root -crop "${pw}x${ph}+${px}+${py}" +repage "$1" || fail "screenshot failed"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

menu_command Shape Mesh
# Where the perspective view is now that "Mesh" has redrawn it.
read -r px py pw ph < <(view_area Perspective)
[ "$pw" = 250 ] || fail "perspective view is ${pw} wide, expected 250"
activate $((px + 125)) "$py"
shot "$work/start.png"
send 1 key Prior
shot "$work/turned.png"
same "$work/start.png" "$work/turned.png" && fail "Page Up did not turn the model"
send 1 key Escape
shot "$work/back.png"
same "$work/start.png" "$work/back.png" || fail "Escape did not put the model back"
kill -0 "$editor_pid" 2>/dev/null || fail "Escape in the perspective view ended the editor"
echo "ok: keys"

open_popup $((px + 125)) $((py + 125))
choose "" "Sauvegarder..."
save_in_dialog "Sauvegarde de la vue perspective" "$work/vue.tga"
save_as "$work/scene.KVX"
"$kvxtool" render "$work/scene.KVX" "$work/reference.tga" --depth "$depth" >/dev/null ||
  fail "kvxtool render failed"
[ "$(stat -c %s "$work/vue.tga")" = 187518 ] || fail "the Targa is not 187,518 bytes"
cmp -s "$work/vue.tga" "$work/reference.tga" || fail "the Targa differs from kvxtool render"
echo "ok: Sauvegarder..."

open_popup $((px + 125)) $((py + 125))
choose "" "Background" "Couleur..."
wait_until "the colour dialog did not open" on_screen Dialog
dialog=$(xdotool search --onlyvisible --name '^Dialog$' | head -1)
[ -n "$dialog" ] || fail "the colour dialog did not open"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# On screen: strip entry 50, the first palette cell off its white cross, the white-over-red
# square at t = 25.
[ "$(screen_pixel $((X + 60)) $((Y + 80)))" = "$(as_screen 111 255 0)" ] ||
  fail "the hue strip is not on the dialog"
[ "$(screen_pixel $((X + 12)) $((Y + 105)))" = "$(as_screen 103 147 90)" ] ||
  fail "the palette is not on the dialog"
[ "$(screen_pixel $((X + 35)) $((Y + 35)))" = "$(as_screen 254 127 127)" ] ||
  fail "the blend squares are not on the dialog"
# Strip entry 50 is (111, 255, 0); then OK, which the dialog places at (240, 5) dialog units.
xdotool mousemove $((X + 60)) $((Y + 80)) click 1
# The click gives the dialog the keyboard if it had not it yet.
wait_until "the colour dialog did not get the keyboard" is_active Dialog
xdotool key Return
dialog_gone Dialog
got=$(screen_pixel $((px + 2)) $((py + 2)))
[ "$got" = "$(as_screen 111 255 0)" ] || fail "the background is $got, expected $(as_screen 111 255 0)"
echo "PASS: the perspective window at depth $depth"
