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

# Runs the command given until it succeeds, checking every 50 ms for up to `seconds`; its status
# is the command's last. The one place the scripts poll: everything else waits on it.
poll() {
  local seconds=$1
  shift
  for _ in $(seq 1 $((seconds * 20))); do
    "$@" && return 0
    # What the editor reports is written to a file: looked at again shortly.
    sleep 0.05
  done
  "$@"
}
# The same for up to 20 s, with the editor running: fails with `what` unless the command succeeds,
# or at once if the editor ends.
wait_until() {
  local what=$1
  shift
  running_and() { kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended while waiting: $what"; "$@"; }
  poll 20 running_and "$@" || fail "$what"
}

# A free display, chosen by Xvfb itself (-displayfd), so tests running side by side never race
# for the same one; the number is written once the server accepts connections.
screen_w=1024
screen_h=768
start_xvfb() {
  local display=""
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "${screen_w}x${screen_h}x$depth" 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  xvfb_up() { [ -s "$work/display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; }
  poll 10 xvfb_up
  [ -s "$work/display" ] && display=":$(head -n 1 "$work/display")"
  [ -n "$display" ] || fail "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
  export DISPLAY=$display
  # Recovery copies of this run's editors stay in its own folder.
  export XDG_STATE_HOME="$work/state"
  export XDG_CONFIG_HOME="$work/config"  # and its recent files
  # Leaks inside Qt and the X libraries are not the editor's; the unit tests check ours.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
  unset QT_QPA_PLATFORM
}

# Starts the editor in the background with its trace on (and any arguments given).
launch_editor() {
  "$exe" --trace "$@" >"$work/editor.log" 2>&1 &
  editor_pid=$!
}

# What the editor's trace says (app/main.cpp, src/platform/qt/QtTrace.h), as fixed strings.
# How many lines hold the text.
count() { grep -cF -- "$1" "$work/editor.log"; }
# True once more than n lines hold the text.
more_than() { [ "$(count "$1")" -gt "$2" ]; }
# Waits for a line holding the text; fails with `what` otherwise.
wait_for_log() { wait_until "$2" grep -qF -- "$1" "$work/editor.log"; }
# True once at least n lines hold the text and the editor was idle after the n-th.
idle_after() {
  awk -v t="$1" -v n="$2" 'index($0, t) { if (++c == n) seen = 1; next }
    seen && $0 == "kolvex: idle" { found = 1; exit } END { exit !found }' "$work/editor.log"
}
# True once the editor was idle after the last line holding the text.
idle_after_last() { idle_after "$1" "$(count "$1")"; }
# The keys and buttons the editor has received.
inputs() { count "kolvex: input "; }
# Sends X input (xdotool's arguments) that reaches the editor as n key presses and button presses
# and releases, and waits until the editor has received all of it and handled it.
send() {
  local n=$1
  shift
  local target=$(($(inputs) + n))
  xdotool "$@"
  wait_until "the editor did not take $n key or button event(s) of: $*" idle_after "kolvex: input " "$target"
}
# Moves the pointer by its offset (in the editor's windows) and waits until the editor has seen
# and handled the move.
move_by() {
  local target=$(($(count "kolvex: pointer moved") + 1))
  xdotool mousemove_relative -- "$1" "$2"
  wait_until "the editor did not see the pointer move by $1 $2" idle_after "kolvex: pointer moved" "$target"
}
move_to() {
  local target=$(($(count "kolvex: pointer moved") + 1))
  xdotool mousemove "$1" "$2"
  wait_until "the editor did not see the pointer move to $1 $2" idle_after "kolvex: pointer moved" "$target"
}
# True while the window of this title is on the screen (it was shown and not hidden since).
on_screen() {
  awk -v at="kolvex: window \"$1\" at " -v gone="kolvex: window \"$1\" hidden" '
    index($0, at) == 1 { on = 1 } $0 == gone { on = 0 } END { exit !on }' "$work/editor.log"
}
# True when the window of this title was the last to get the keyboard.
is_active() {
  [ "$(grep -E '^kolvex: window ".*" active$' "$work/editor.log" | tail -1)" = "kolvex: window \"$1\" active" ]
}
# True once the box of the n-th question asked has the keyboard (it bears the frame's title).
box_ready() {
  awk -v n="$1" '/^kolvex: question .* asked$/ { if (++c == n) asked = 1; next }
    asked && $0 == "kolvex: window \"Kolvex v1.0\" active" { found = 1; exit }
    END { exit !found }' "$work/editor.log"
}

# Starts the editor and waits until its frame fills the screen and it has drawn its views there.
start_editor() {
  launch_editor "$@"
  wait_for_log 'presented "Dessus"' "the top view did not appear within 20 s"
  settle_start
}
# Once the views are shown: waits until the frame fills the screen and the editor is idle.
settle_start() {
  local full="kolvex: window \"Kolvex v1.0\" at 0 0 size $screen_w $screen_h"
  wait_until "the editor's frame did not fill the screen" idle_after "$full" 1
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
# The place of an item in the latest listing of the menu with this title: "x y w h".
item_area() {
  awk -v shown="kolvex: menu shown \"$1\"" -v item="kolvex: menu item \"$2\" at " '
    $0 == shown { listing = 1; place = ""; next }
    listing && index($0, "kolvex: menu item ") == 1 {
      if (index($0, item) == 1) place = substr($0, length(item) + 1)
      next
    }
    { listing = 0 }
    END { print place }' "$work/editor.log" | sed 's/ size / /'
}

# Activates a view by a click on its title bar (there is no window manager).
activate() { send 2 mousemove "$1" $(($2 - 12)) click 1; }
# Runs the command given (a click that opens a menu) and waits until the menu with this title is
# on the screen with its items listed; a popup menu's title is "".
open_menu() {
  local title=$1
  shift
  local shown
  shown=$(count "kolvex: menu shown \"$title\"")
  "$@"
  wait_until "the menu \"$title\" did not open" more_than "kolvex: menu shown \"$title\"" "$shown"
}
# In the open menu with this title, clicks the items named in turn, each but the last opening a
# sub-menu, and waits until the menu has gone.
choose() {
  local top=$1 menu=$1 item="" x y w h hidden
  shift
  hidden=$(count "kolvex: menu hidden \"$top\"")
  while [ $# -gt 0 ]; do
    item=$1
    shift
    read -r x y w h < <(item_area "$menu" "$item")
    [ -n "$x" ] || fail "no item \"$item\" in the menu \"$menu\""
    if [ $# -gt 0 ]; then
      open_menu "$item" xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
      menu=$item
    else
      xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    fi
  done
  wait_until "the menu \"$top\" did not close after \"$item\"" \
    more_than "kolvex: menu hidden \"$top\"" "$hidden"
}
# Opens a menu of the menu bar and chooses an item by its text (and so on into sub-menus):
# menu_item "Fichier" "Enregistrer...".
menu_item() {
  local mx my mw mh
  read -r mx my mw mh < <(menu_area "$1")
  [ -n "$mx" ] || fail "no menu \"$1\" on the menu bar"
  open_menu "$1" xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1
  choose "$@"
}
# The same for an item whose command opens no dialog: waits until the editor has carried it out.
menu_command() {
  menu_item "$@"
  wait_until "the editor did not carry out \"$*\"" idle_after_last "kolvex: menu hidden \"$1\""
}
# Opens the popup menu of the view under this point by a right click.
open_popup() { open_menu "" xdotool mousemove "$1" "$2" click 3; }

# Types a file name into the file dialog with this title, once it is open, and presses Return.
# The dialog gets the keyboard first, so a slow start cannot send the name to a view. A Return
# the name's completion list swallowed, or a name typed before the dialog was ready, is typed
# again, as a user would. Succeeds once the file exists ("saved") or the dialog has gone ("shut").
type_into_dialog() {
  local title=$1 name=$2 until=$3 wid attempt
  wait_until "the dialog \"$title\" did not open" on_screen "$title"
  wid=$(xdotool search --onlyvisible --name "$title" | head -1)
  [ -n "$wid" ] || fail "the dialog \"$title\" is not on the screen"
  done_typing() {
    case $until in
      saved) [ -s "$name" ] ;;
      shut) ! on_screen "$title" ;;
    esac
  }
  for attempt in 1 2 3; do
    xdotool windowfocus --sync "$wid" 2>/dev/null
    wait_until "the dialog \"$title\" did not get the keyboard" is_active "$title"
    [ "$attempt" = 1 ] || xdotool key ctrl+a
    xdotool type --delay 10 "$name"
    xdotool key Return
    poll 5 done_typing && return 0
    on_screen "$title" || return 1
  done
  return 1
}
# Waits until the dialog with this title has gone and the editor is idle after it.
dialog_gone() {
  wait_until "the dialog \"$1\" did not go" idle_after_last "kolvex: window \"$1\" hidden"
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
  menu_item Fichier "Enregistrer..."
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
  send 3 key ctrl+a Right
  xdotool key ctrl+s
  poll 5 "$@" || fail "$what"
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

# A left-button drag in small steps, as a hand would move: each step is seen before the next.
drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 steps=$5 i
  send 1 mousemove "$x0" "$y0" mousedown 1
  for i in $(seq 1 "$steps"); do
    move_to $((x0 + (x1 - x0) * i / steps)) $((y0 + (y1 - y0) * i / steps))
  done
  send 1 mouseup 1
}
# The vertices of a scene file, one "x y z" line each, with every digit of their doubles.
vertices() {
  perl -e 'local $/; open my $f, "<:raw", $ARGV[0] or die; my $d = <$f>;
    my $n = unpack("x25 l<", $d);
    for my $i (0 .. $n - 1) {
      printf "%.17g %.17g %.17g\n", unpack("x" . (33 + 30 * $i + 1) . " d< d< d<", $d);
    }' "$1"
}
