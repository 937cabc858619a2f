#!/usr/bin/env bash
# Starts the real editor in an Xvfb screen of the given depth and checks what a user would see.
#   editor_e2e.sh KOLVEX_EXECUTABLE DEPTH
# Depth 24 or 16: waits for the window, takes a screenshot and checks pixels of the top view
# ("Dessus"): its background and the two rulers through its centre. Depth 8: the start-up message
# must appear and the program must end with status 0 without showing a view.
# Exits 77 (skipped) only when Xvfb is not installed.
set -uo pipefail

exe=$1
depth=$2
work=$(mktemp -d)
xvfb_pid=""
editor_pid=""

cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null && wait "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/editor.log" ] && { echo "--- editor output:" >&2; tail -20 "$work/editor.log" >&2; }
  exit 1
}

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed"
  exit 77
fi
[ -x "$exe" ] || fail "no editor at $exe"

# A free display, chosen by Xvfb itself (-displayfd), so tests running side by side never race
# for the same one; the number is written once the server accepts connections.
display=""
Xvfb -displayfd 3 -nolisten tcp -screen 0 "1024x768x$depth" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] && display=":$(head -n 1 "$work/display")"
[ -n "$display" ] || fail "Xvfb did not start: $(tail -3 "$work/xvfb.log")"

export DISPLAY=$display
export KOLVEX_TRACE=1 KOLVEX_AUTO_ANSWER=1
# Leaks inside Qt and the X libraries are not the editor's; the unit tests check ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
unset QT_QPA_PLATFORM

if [ "$depth" = 8 ]; then
  timeout 30 "$exe" >"$work/editor.log" 2>&1
  status=$?
  [ "$status" = 0 ] || fail "exit status $status at depth 8, expected 0"
  grep -q 'message box "Attention...": Vous devez configurer votre bureau avec 16 ou 24bits de profondeurs de couleur.' \
    "$work/editor.log" || fail "the depth message was not shown"
  if grep -q 'presented' "$work/editor.log"; then fail "a view was shown at depth 8"; fi
  echo "PASS: depth 8 shows the message and exits with 0"
  exit 0
fi

command -v import >/dev/null 2>&1 || fail "ImageMagick's import is not installed"
"$exe" >"$work/editor.log" 2>&1 &
editor_pid=$!

# Wait for the top view to be presented, then for the start-up to settle.
for _ in $(seq 1 200); do
  grep -q 'presented "Dessus"' "$work/editor.log" && break
  kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended during start-up"
  sleep 0.1
done
grep -q 'presented "Dessus"' "$work/editor.log" || fail "the top view did not appear within 20 s"
sleep 1.5
kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"

line=$(grep 'presented "Dessus"' "$work/editor.log" | tail -1)
read -r x y w h < <(echo "$line" | sed -E 's/.* at (-?[0-9]+) (-?[0-9]+) size ([0-9]+) ([0-9]+)/\1 \2 \3 \4/')
[ "$w" = 250 ] && [ "$h" = 250 ] || fail "top view client area is ${w}x$h, expected 250x250"

import -window root "$work/shot.png" || fail "screenshot failed"
[ -n "${KOLVEX_E2E_KEEP:-}" ] && cp "$work/shot.png" "$KOLVEX_E2E_KEEP"

# A pixel of the screenshot as the view's pixel format would hold it.
pixel() {
  if [ "$depth" = 16 ]; then
    convert "$work/shot.png" -format "%[fx:round(p{$1,$2}.r*31)],%[fx:round(p{$1,$2}.g*63)],%[fx:round(p{$1,$2}.b*31)]" info:
  else
    convert "$work/shot.png" -format "%[fx:round(p{$1,$2}.r*255)],%[fx:round(p{$1,$2}.g*255)],%[fx:round(p{$1,$2}.b*255)]" info:
  fi
}
if [ "$depth" = 16 ]; then
  background="19,38,19"  # (155, 155, 155) as 5-6-5: 0x9CD3
  ruler="12,25,12"       # (100, 100, 100) as 5-6-5: 0x632C
else
  background="155,155,155"
  ruler="100,100,100"
fi

check() {
  local got
  got=$(pixel $(($x + $1)) $(($y + $2)))
  [ "$got" = "$3" ] || fail "top view pixel ($1, $2) is $got, expected $3 ($4)"
}
check 60 60 "$background" "background"
check 190 200 "$background" "background"
check 0 0 "$background" "background"
check 249 249 "$background" "background"
check 60 125 "$ruler" "x axis through the centre"
check 240 125 "$ruler" "x axis through the centre"
check 125 60 "$ruler" "z axis through the centre"
check 125 240 "$ruler" "z axis through the centre"
check 125 125 "$ruler" "the axes' crossing"
check 124 124 "$background" "next to the crossing"

if command -v xwininfo >/dev/null 2>&1; then
  xwininfo -root -tree | grep -q '"Kolvex v1.0"' || fail "no window titled Kolvex v1.0"
fi
echo "PASS: depth $depth shows the top view with its background and rulers"
