#!/usr/bin/env bash
# The editor's peak resident memory with the benchmark grid of 999,698 triangles, as a user gets
# there: the real editor under Xvfb with every view open, "Ouvrir..." of the grid file, then
# Ctrl+A, E and a drag that moves the whole model (so one undo step is kept too).
#   bench/peak_memory.sh [BUILD_DIR]      (default build; needs Xvfb and xdotool)
set -uo pipefail
build=${1:-build}
exe=$build/app/kolvex
depth=24
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
need xdotool
[ -x "$build/bench/grid_file" ] || fail "no $build/bench/grid_file (build with benchmarks on)"
"$build/bench/grid_file" "$work/grid.KVX" 1000000 >/dev/null || fail "the grid file was not written"
start_xvfb
start_editor
status() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$editor_pid/status"; }
echo "started: $(status VmRSS) kB resident"
# Waits until the resident size has not changed for two seconds.
settle() {
  local last=-1 now
  for _ in $(seq 1 120); do
    now=$(status VmRSS)
    [ "$now" = "$last" ] && break
    last=$now
    sleep 2
  done
}
menu_item Fichier "Ouvrir..."
open_in_dialog "Ouverture d'un fichier Kolvex..." "$work/grid.KVX"
settle
echo "loaded:  $(status VmRSS) kB resident, peak $(status VmHWM) kB"
read -r tx ty tw th < <(view_area Dessus)
activate $((tx + 125)) "$ty"
send 2 key ctrl+a e
drag $((tx + 100)) $((ty + 100)) $((tx + 130)) $((ty + 100)) 6
settle
kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended"
echo "moved:   $(status VmRSS) kB resident, peak $(status VmHWM) kB"
