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

# Fails unless every named program is installed.
need() {
  local c
  for c in "$@"; do command -v "$c" >/dev/null 2>&1 || fail "$c is not installed"; done
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
  # Recovery copies of this run's editors stay in its own folder.
  export XDG_STATE_HOME="$work/state"
  export XDG_CONFIG_HOME="$work/config"  # and its recent files
  # Leaks inside Qt and the X libraries are not the editor's; the unit tests check ours.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
  unset QT_QPA_PLATFORM
}

# Starts the editor in the background (with any arguments given).
launch_editor() {
  "$exe" "$@" >"$work/editor.log" 2>&1 &
  editor_pid=$!
}
# Waits up to 20 s for a line of the editor's log matching the pattern; fails with what otherwise,
# or at once if the editor ends.
wait_for_log() {
  for _ in $(seq 1 200); do
    grep -q "$1" "$work/editor.log" && return 0
    kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended while waiting: $2"
    sleep 0.1
  done
  fail "$2"
}
# Starts the editor and waits until the top view has been shown and start-up has settled.
start_editor() {
  launch_editor "$@"
  wait_for_log 'presented "Dessus"' "the top view did not appear within 20 s"
  sleep 1.5
  kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"
}

# The usual start of a script: the named programs checked, a screen, the editor on it.
start_session() {
  need "$@"
  start_xvfb
  start_editor
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

# Activates a view by a click on its title bar (there is no window manager).
activate() { xdotool mousemove "$1" $(($2 - 12)) click 1; sleep 0.3; }
# Opens a menu of the menu bar and chooses its n-th item by keyboard.
menu_item() {
  local mx my mw mh
  read -r mx my mw mh < <(menu_area "$1")
  [ -n "$mx" ] || fail "no menu \"$1\" on the menu bar"
  xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1
  sleep 0.7
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.4
}
# Types a file name into the file dialog with this title, once it is open, and presses Return.
# The dialog gets the keyboard first, so a slow start cannot send the name to a view. A Return
# the name's completion list swallowed, or a name typed before the dialog was ready, is typed
# again, as a user would. Succeeds once the file exists ("saved") or the dialog has gone ("shut").
type_into_dialog() {
  local title=$1 name=$2 until=$3 wid
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -1)
  [ -n "$wid" ] || fail "the dialog \"$title\" did not open"
  sleep 0.5
  for attempt in 1 2 3; do
    xdotool windowfocus --sync "$wid" 2>/dev/null
    [ "$attempt" = 1 ] || xdotool key ctrl+a
    xdotool type --delay 10 "$name"
    xdotool key Return
    for _ in $(seq 1 50); do
      case $until in
        saved) [ -s "$name" ] && return 0 ;;
        shut) xdotool search --onlyvisible --name "$title" >/dev/null || return 0 ;;
      esac
      sleep 0.1
    done
    xdotool search --onlyvisible --name "$title" >/dev/null || return 1
  done
  return 1
}
# Waits for the dialog with this title to go.
dialog_gone() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null || break
    sleep 0.1
  done
  sleep 0.3
}
# Types a file name into the save dialog with this title and waits for the file to be written
# and the dialog to go.
save_in_dialog() {
  type_into_dialog "$1" "$2" saved || fail "nothing saved to $2"
  dialog_gone "$1"
}
# Types a file name into the open dialog with this title and waits for the dialog to go.
open_in_dialog() {
  type_into_dialog "$1" "$2" shut || fail "the dialog \"$1\" did not take $2"
  dialog_gone "$1"
}
# "Fichier" > "Enregistrer..." into a file.
save_as() {
  menu_item Fichier 2
  save_in_dialog "Sauvegarde d'un fichier Kolvex..." "$1"
}

# In the top view: every vertex selected, nudged right by 0.1, and Ctrl+S ("Enregistrer"). Waits
# up to 5 s for the check command given to succeed (the file written), then fails with what unless
# it did, or if a save dialog came up.
nudge_and_quick_save() {
  local what=$1
  shift
  local tx ty tw th
  read -r tx ty tw th < <(view_area Dessus)
  activate $((tx + 125)) "$ty"
  xdotool key ctrl+a Right
  sleep 0.3
  xdotool key ctrl+s
  for _ in $(seq 1 50); do
    "$@" && break
    sleep 0.1
  done
  "$@" || fail "$what"
  xdotool search --onlyvisible --name "Sauvegarde" >/dev/null && fail "Ctrl+S asked for a name"
}

# How many popup menus the editor has shown.
popups() { grep -c "popup menu at" "$work/editor.log"; }

# A pixel of a screenshot as the desktop's pixel format holds it: "r,g,b" in 5-6-5 steps at
# depth 16, bytes at depth 24.
shot_pixel() {
  local sr=255 sg=255 sb=255
  [ "$depth" = 16 ] && { sr=31; sg=63; sb=31; }
  convert "$1" -format "%[fx:round(p{$2,$3}.r*$sr)],%[fx:round(p{$2,$3}.g*$sg)],%[fx:round(p{$2,$3}.b*$sb)]" info:
}
# The same for a pixel of the screen now.
screen_pixel() {
  import -window root -crop "1x1+$1+$2" +repage "$work/pixel.png" || fail "screenshot failed"
  shot_pixel "$work/pixel.png" 0 0
}
# A colour given as bytes, as screen_pixel reports it at this depth.
as_screen() {
  if [ "$depth" = 16 ]; then echo "$(($1 >> 3)),$(($2 >> 2)),$(($3 >> 3))"; else echo "$1,$2,$3"; fi
}

# A left-button drag in small steps, as a hand would move.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 steps=$5
  xdotool mousemove "$x0" "$y0" mousedown 1
  sleep 0.1
  for i in $(seq 1 "$steps"); do
    xdotool mousemove $((x0 + (x1 - x0) * i / steps)) $((y0 + (y1 - y0) * i / steps))
    sleep 0.03
  done
  xdotool mouseup 1
  sleep 0.3
}
# The vertices of a scene file, one "x y z" line each, with every digit of their doubles.
vertices() {
  perl -e 'local $/; open my $f, "<:raw", $ARGV[0] or die; my $d = <$f>;
    my $n = unpack("x25 l<", $d);
    for my $i (0 .. $n - 1) {
      printf "%.17g %.17g %.17g\n", unpack("x" . (33 + 30 * $i + 1) . " d< d< d<", $d);
    }' "$1"
}
