# Shared by the end-to-end scripts: a private Xvfb screen, the editor started in it with tracing,
# and helpers to wait for what the editor reports. Source it after setting exe and depth.
# Exits 77 (skipped) only when Xvfb is not installed.

work=$(mktemp -d)
xvfb_pid=""
editor_pid=""

cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null && wait "$editor_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ -n "${KOLVEX_E2E_KEEP_DIR:-}" ] && cp -r "$work" "$KOLVEX_E2E_KEEP_DIR"
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/editor.log" ] && { echo "--- editor output:" >&2; tail -20 "$work/editor.log" >&2; }
  [ -n "${KOLVEX_E2E_KEEP:-}" ] && command -v import >/dev/null && import -window root "$KOLVEX_E2E_KEEP"
  exit 1
}

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed"
  exit 77
fi
[ -x "$exe" ] || fail "no editor at $exe"

# A free display, chosen by Xvfb itself (-displayfd), so tests running side by side never race
# for the same one; the number is written once the server accepts connections.
start_xvfb() {
  local display=""
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
  export KOLVEX_TRACE=1
  # Leaks inside Qt and the X libraries are not the editor's; the unit tests check ours.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
  unset QT_QPA_PLATFORM
}

# Starts the editor in the background and waits until the top view has been shown and start-up
# has settled.
start_editor() {
  "$exe" >"$work/editor.log" 2>&1 &
  editor_pid=$!
  for _ in $(seq 1 200); do
    grep -q 'presented "Dessus"' "$work/editor.log" && break
    kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended during start-up"
    sleep 0.1
  done
  grep -q 'presented "Dessus"' "$work/editor.log" || fail "the top view did not appear within 20 s"
  sleep 1.5
  kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"
}

# The screen position and size of the latest presentation of a view: "x y w h".
view_area() {
  grep "presented \"$1\"" "$work/editor.log" | tail -1 |
    sed -E 's/.* at (-?[0-9]+) (-?[0-9]+) size ([0-9]+) ([0-9]+)/\1 \2 \3 \4/'
}

# The screen position of a menu of the menu bar: "x y w h".
menu_area() {
  grep "menu \"$1\" at" "$work/editor.log" | tail -1 |
    sed -E 's/.* at (-?[0-9]+) (-?[0-9]+) size ([0-9]+) ([0-9]+)/\1 \2 \3 \4/'
}
