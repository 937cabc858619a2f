#!/usr/bin/env bash
# Files given on the command line and dropped on the window, with real X input in the real
# editor under Xvfb:
#   files_e2e.sh KOLVEX_EXECUTABLE DEPTH DRAG_SOURCE
# "kolvex model.KVX" opens the scene; Ctrl+A, a nudge and Ctrl+S save it back to that file without
# a dialog, moved by 0.1 along x. Two files on the command line open neither, with a message.
# The scene dragged from another window (DRAG_SOURCE, as a file manager) and dropped on the
# editor opens the same way: a nudge and Ctrl+S move it by 0.1 more.
set -uo pipefail

exe=$1
depth=$2
drag_source=$3
kvxtool=$(dirname "$exe")/../tools/kvxtool
. "$(dirname "$0")/xvfb_lib.sh"
need xdotool
start_xvfb
printf 'v 0 0 0\nv 0 0 3\nv 3 0 0\nv 3 2 3\nf 1 2 3\nf 3 2 4\n' >"$work/model.obj"
"$kvxtool" import "$work/model.obj" "$work/model.KVX" >/dev/null || fail "kvxtool import failed"
"$kvxtool" info "$work/model.KVX" | grep -q 'bounding box: x 0 .. 3,' || fail "unexpected model"

start_editor "$work/model.KVX"
moved() { "$kvxtool" info "$work/model.KVX" | grep -q 'bounding box: x 0.1 .. 3.1,'; }
nudge_and_quick_save "the opened scene was not saved back with the nudge" moved
echo "ok: opened from the command line and saved back"
kill "$editor_pid" 2>/dev/null
wait "$editor_pid" 2>/dev/null

launch_editor "$work/model.KVX" "$work/model.obj"
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Attention\.\.\.$' | head -1)
[ -n "$box" ] || fail "two files gave no message"
echo "ok: two files give a message"
kill "$editor_pid" 2>/dev/null
wait "$editor_pid" 2>/dev/null

start_editor
"$drag_source" "$work/model.KVX" >"$work/source.log" 2>&1 &
source_pid=$!
source=$(timeout 20 xdotool search --sync --onlyvisible --name '^kolvex-drag-source$' | head -1)
[ -n "$source" ] || fail "the drag source did not appear"
eval "$(xdotool getwindowgeometry --shell "$source")"
# From the source to the grey of the editor's window, right of the views, in small steps: the
# press starts the drag, which the editor sees come over it before the drop.
xdotool mousemove $((X + 60)) $((Y + 40))
xdotool mousedown 1
started() { grep -q "drag started" "$work/source.log"; }
poll 10 started || fail "the drag did not start"
for i in $(seq 1 10); do
  xdotool mousemove $((X + 60 + (900 - X - 60) * i / 10)) $((Y + 40 + (150 - Y - 40) * i / 10))
done
wait_for_log "drag entered" "the drag did not come over the editor"
xdotool mouseup 1
wait_until "the dropped files were not taken" idle_after_last "dropped"
kill "$source_pid" 2>/dev/null
moved_again() { "$kvxtool" info "$work/model.KVX" | grep -q 'bounding box: x 0.2 .. 3.2,'; }
nudge_and_quick_save "the dropped scene was not opened as the scene's own file" moved_again
echo "PASS: files from the command line and dropped on the window at depth $depth"
