#!/usr/bin/env bash
# A small model from another program, framed, with real X input in the real editor under Xvfb:
#   framing_e2e.sh KOLVEX_EXECUTABLE DEPTH
# - A cube of 1.5 units opened from the command line is noted as hard to see; F ("Cadrer tout")
#   makes it cover about 90 % of the top view (the status bar's positions at the view's edges)
#   and puts it wholly inside the perspective picture (its border rows and columns stay black).
set -uo pipefail

exe=$1
depth=$2
. "$(dirname "$0")/xvfb_lib.sh"
need xdotool convert
start_xvfb
printf 'v 0 0 0\nv 1.5 0 0\nv 1.5 1.5 0\nv 0 1.5 0\nv 0 0 1.5\nv 1.5 0 1.5\nv 1.5 1.5 1.5\nv 0 1.5 1.5\n%s\n' \
  "f 1 4 3 2
f 5 6 7 8
f 1 2 6 5
f 2 3 7 6
f 3 4 8 7
f 4 1 5 8" >"$work/cube.obj"
start_editor "$work/cube.obj"

world_x() {
  move_to $(($1 + 1)) "$2"
  move_to "$1" "$2"
  grep '^kolvex: status ' "$work/editor.log" | tail -1 | sed -nE 's/.*X: (-?[0-9.]+)  Y:.*/\1/p'
}
grep '^kolvex: hint ' "$work/editor.log" | tail -1 | grep -qF "F (Cadrer tout)" ||
  fail "the status bar does not say the model is hard to see"
read -r tx ty _ < <(view_area Dessus)
activate $((tx + 125)) "$ty"
read -r qx qy qw qh < <(view_area Perspective)
before=$(count 'presented "Perspective"')
send 1 key f
wait_until "F did not redraw the perspective view" more_than 'presented "Perspective"' "$before"
left=$(world_x $((tx + 2)) $((ty + 125)))
right=$(world_x $((tx + 247)) $((ty + 125)))
awk -v l="$left" -v r="$right" 'BEGIN { w = r - l; exit !(l < 0 && r > 1.5 && w < 1.5 / 0.85) }' ||
  fail "the framed top view spans x $left .. $right, not the cube's 0 .. 1.5 over about 90 %"
echo "ok: F frames a 1.5-unit model in the top view"

read -r qx qy qw qh < <(view_area Perspective)
import -window root -crop "${qw}x${qh}+$qx+$qy" +repage "$work/persp.png" || fail "screenshot failed"
brightest() { convert "$work/persp.png" -crop "$1" +repage -format '%[fx:maxima]' info:; }
for edge in "${qw}x1+0+0" "${qw}x1+0+$((qh - 1))" "1x${qh}+0+0" "1x${qh}+$((qw - 1))+0"; do
  [ "$(brightest "$edge")" = 0 ] || fail "the framed model touches the perspective picture's edge ($edge)"
done
[ "$(brightest "40x40+$((qw / 2 - 20))+$((qh / 2 - 20))")" != 0 ] || fail "no model in the middle of the perspective picture"
echo "ok: the framed model lies wholly inside the perspective picture"
