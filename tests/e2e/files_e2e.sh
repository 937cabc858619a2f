#!/usr/bin/env bash
# A file given on the command line, with real X input in the real editor under Xvfb:
#   files_e2e.sh KOLVEX_EXECUTABLE DEPTH
# "kolvex model.KVX" opens the scene; Ctrl+A, a nudge and Ctrl+S save it back to that file without
# a dialog, moved by 0.1 along x. Two files on the command line open neither, with a message.
set -uo pipefail

exe=$1
depth=$2
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
echo "PASS: files from the command line at depth $depth"
