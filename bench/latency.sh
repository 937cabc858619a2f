#!/usr/bin/env bash
# The latency a user feels with the benchmark grid of 999,698 triangles, in the real editor under
# Xvfb with real X input (xdotool): "Fichier" > "Ouvrir..." of the grid, Ctrl+A in "Dessus", the
# tool "Déplacer XY" (E), then each interaction RUNS times, timed with the editor's trace
# (--trace-times: every line after the monotonic time it was written); then RUNS fresh editors
# each open the grid (the first open, into an empty editor), select all and drag, for the open's
# time and the peak resident memory (VmHWM). Prints a table: median (min–max, runs) and target.
#   bench/latency.sh [EDITOR] [RUNS]     (default build/app/kolvex, 7 runs; builds nothing)
# Needs Xvfb, xdotool and python3, and the grid generator beside the editor
# (BUILD/bench/grid_file). With LATENCY_PERF=DIR set, `perf record` then samples the editor
# during one more nudge and one more drag (DIR/nudge.data, DIR/drag.data).
# A benchmark, not a test: no ctest and no `make` target runs it.
#
# Each latency runs from the editor's receipt of the input (its "input ..." line; the editor is
# idle when it is sent) to the last "presented" line it causes, and to the "idle" after that (the
# pictures handed to the X server).
set -uo pipefail
exe=${1:-build/app/kolvex}
runs=${2:-7}
depth=24
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
need xdotool python3
grid_file=$(dirname "$exe")/../bench/grid_file
[ -x "$grid_file" ] || fail "no $grid_file (build with benchmarks on)"
"$grid_file" "$work/grid.KVX" 1000000 >/dev/null || fail "the grid file was not written"

timed=$work/timed.log
marks=$work/marks
: >"$marks"
# The shared helpers read the trace without times: the editor's lines go to $timed as written,
# and to editor.log without their times.
launch_editor() {
  : >"$work/editor.log"
  : >"$timed"
  "$exe" --trace-times "$@" > >(tee "$timed" | sed -u -E 's/^[0-9]+\.[0-9]{3} //' \
    >"$work/editor.log") 2>&1 &
  editor_pid=$!
}

# The monotonic clock in milliseconds, as the trace's times (bash reads the real-time clock; the
# offset between the two is taken once).
clock_offset=$(python3 -c 'import time; print(time.time() * 1000 - time.monotonic() * 1000)')
now_ms() { awk -v r="$EPOCHREALTIME" -v o="$clock_offset" 'BEGIN { printf "%.3f", r * 1000 - o }'; }
lines() { wc -l <"$timed"; }
# A measured interaction starts at the next line of the timed trace: "mark KIND LINE [EXTRA...]".
mark() { echo "mark $1 $(lines) ${*:2}" >>"$marks"; }
status() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$editor_pid/status"; }
idle_now() { idle_after "kolvex: input " "$(inputs)"; }

echo "load before: $(uptime)"
start_xvfb
start_editor

open_title="Ouverture d'un fichier Kolvex..."
# "Fichier" > "Ouvrir..." of the grid, timed from the Return in the dialog (mark KIND).
open_grid() {
  local kind=$1 wid attempt
  menu_item Fichier "Ouvrir..."
  wait_until "the dialog \"$open_title\" did not open" on_screen "$open_title"
  wid=$(xdotool search --onlyvisible --name "$open_title" | head -1)
  xdotool windowfocus --sync "$wid" 2>/dev/null
  wait_until "the dialog did not get the keyboard" is_active "$open_title"
  xdotool type --delay 10 "$work/grid.KVX"
  sleep 0.3
  for attempt in 1 2 3; do
    mark "$kind"
    xdotool key Return
    poll 5 eval '! on_screen "$open_title"' && break
    # The Return went to the name's completion list: pressed again.
    sed -i '$d' "$marks"
  done
  dialog_gone "$open_title"
  wait_until "the editor did not settle after opening" idle_now
  mark stop
}
for run in $(seq 1 "$runs"); do open_grid open; done
echo "opens done"

read -r tx ty tw th < <(view_area Dessus)
activate $((tx + 125)) "$ty"
send 2 key ctrl+a
send 1 key e

# Sends one key (xdotool's name) as a measured interaction and waits until it is handled.
measure_key() {
  local kind=$1 key=$2 n=$3
  mark "$kind"
  send "$n" key "$key"
  wait_until "the editor did not settle after $key" idle_now
  mark stop
}
for run in $(seq 1 "$runs"); do measure_key nudge Right 1; done
for run in $(seq 1 "$runs"); do measure_key undo ctrl+z 2; done
for run in $(seq 1 "$runs"); do measure_key redo ctrl+y 2; done
echo "keys done"

# A drag of every vertex: 80 moves of 2 pixels, one every 25 ms (one xdotool, so the pace is
# the same whatever the editor does), then the release. Odd runs drag right, even runs back.
drag_moves=80
drag_runs=0
drag_once() {
  local step=2 x=$((tx + 45)) y=$((ty + 60)) chain=() i
  drag_runs=$((drag_runs + 1))
  if [ $((drag_runs % 2)) = 0 ]; then step=-2 x=$((tx + 205)); fi
  chain=(mousemove_relative -- "$step" 0)
  for i in $(seq 2 "$drag_moves"); do chain+=(sleep 0.025 mousemove_relative -- "$step" 0); done
  send 1 mousemove "$x" "$y" mousedown 1
  mark drag
  xdotool "${chain[@]}"
  echo "sent $(now_ms)" >>"$marks"
  # Whatever queued up is handled before the release.
  wait_until "the editor did not settle during the drag" idle_after_last "kolvex: pointer moved"
  mark release
  send 1 mouseup 1
  wait_until "the editor did not settle after the release" idle_now
  mark stop
}
for run in $(seq 1 "$runs"); do drag_once; done
peak_all=$(status VmHWM)
echo "drags done"

read -r px py pw ph < <(view_area Perspective)
activate $((px + 125)) "$py"
for run in $(seq 1 "$runs"); do measure_key perspective Prior 1; done
send 1 key Escape

if [ -n "${LATENCY_PERF:-}" ] && command -v perf >/dev/null; then
  mkdir -p "$LATENCY_PERF"
  # Not counted in the table.
  marks=$work/marks.perf
  activate $((tx + 125)) "$ty"
  send 1 key e
  profile() {
    local name=$1
    shift
    perf record -F 2000 -g -p "$editor_pid" -o "$LATENCY_PERF/$name.data" >"$work/perf.log" 2>&1 &
    local perf_pid=$!
    sleep 1
    "$@"
    sleep 0.3
    kill -INT "$perf_pid"
    wait "$perf_pid"
  }
  profile nudge measure_key nudge Right 1
  profile drag drag_once
  for name in nudge drag; do
    echo "== perf: $name (the editor's own functions, all its threads)"
    perf report -i "$LATENCY_PERF/$name.data" --no-children --stdio -g none --percent-limit 1 \
      2>/dev/null | grep -E '^ +[0-9.]+%|Samples'
  done
fi
echo "load after: $(uptime)"

# As a user starts: a fresh editor each run, the grid opened (the first open, into the empty
# editor), Ctrl+A, E and one drag, then the editor's peak memory.
peaks=""
sessions=("$work/timed.log:$work/marks")
for run in $(seq 1 "$runs"); do
  kill "$editor_pid" && wait "$editor_pid" 2>/dev/null
  timed=$work/timed_fresh$run.log
  marks=$work/marks_fresh$run
  : >"$marks"
  start_editor
  open_grid first_open
  read -r tx ty tw th < <(view_area Dessus)
  activate $((tx + 125)) "$ty"
  send 2 key ctrl+a
  send 1 key e
  drag_runs=0
  marks=/dev/null drag_once
  peaks+="$(status VmHWM),"
  sessions+=("$timed:$work/marks_fresh$run")
done
echo "fresh editors done"

python3 - "$peaks" "$peak_all" "$drag_moves" "${sessions[@]}" <<'EOF'
import statistics, sys

peaks = [int(p) for p in sys.argv[1].split(",") if p]
peak_all, moves_sent = int(sys.argv[2]), int(sys.argv[3])

def latency(part):
    """From the first input line to the last presented line, and to the idle after it."""
    t0 = next((t for t, x in part if x.startswith("kolvex: input ")), None)
    shown = [i for i, (t, x) in enumerate(part) if x.startswith("kolvex: presented ")]
    if t0 is None or not shown:
        return None
    last = shown[-1]
    idle = next((t for t, x in part[last:] if x == "kolvex: idle"), part[last][0])
    return part[last][0] - t0, idle - t0

results = {}
drags = []
for session in sys.argv[4:]:
    trace_path, marks_path = session.split(":")
    # (time, text), one a line of the file; lines without a time (the toolkit's) have none
    entries = []
    for line in open(trace_path, encoding="utf-8", errors="replace").read().splitlines():
        head, _, text = line.partition(" ")
        try:
            entries.append((float(head), text))
        except ValueError:
            entries.append((None, line))
    marks = [m.split() for m in open(marks_path).read().splitlines()]
    for n, m in enumerate(marks):
        if m[0] != "mark" or m[1] == "stop":
            continue
        kind, start = m[1], int(m[2])
        nxt = next((int(k[2]) for k in marks[n + 1:] if k[0] == "mark"), len(entries))
        part = [(t, x) for t, x in entries[start:nxt] if t is not None]
        if kind == "drag":
            t_last_sent = float(marks[n + 1][1])
            moved = [t for t, x in part if x.startswith("kolvex: pointer moved")]
            tops = [t for t, x in part if x.startswith('kolvex: presented "Dessus"')]
            during = [t for t in tops if t <= t_last_sent]
            drags.append({
                "rate": len(during) / ((t_last_sent - moved[0]) / 1000.0),
                "moves": len(moved),
                "after": len([t for t in tops if t > t_last_sent]),
                "backlog": (tops[-1] - t_last_sent) if tops else 0.0,
            })
            continue
        r = latency(part)
        if r:
            results.setdefault(kind, []).append(r)

def spread(values, unit, scale=1.0, digits=0):
    v = sorted(x * scale for x in values)
    fmt = "{:.%df}" % digits
    return "%s %s (%s–%s, n=%d)" % (fmt.format(statistics.median(v)), unit,
                                    fmt.format(v[0]), fmt.format(v[-1]), len(v))

rows = []
def add(name, values, target, unit="ms", scale=1.0, digits=0):
    rows.append((name, spread(values, unit, scale, digits) if values else "not measured", target))

o = results.get("first_open", [])
add("open the 1M-face file (Return in the dialog to last picture), a fresh editor", [a for a, _ in o], "≤ 0.40 s", "s", 0.001, 2)
add("  … to idle after it", [b for _, b in o], "", "s", 0.001, 2)
o = results.get("open", [])
add("  open again, the same grid replacing itself", [a for a, _ in o], "", "s", 0.001, 2)
for kind, name, target in (("nudge", "arrow nudge of every vertex", "≤ 40 ms"),
                           ("undo", "undo of that nudge (Ctrl+Z)", "≤ 40 ms"),
                           ("redo", "redo of that nudge (Ctrl+Y)", "≤ 40 ms")):
    v = results.get(kind, [])
    add(name, [a for a, _ in v], target)
    add("  … to idle after it", [b for _, b in v], "")
add("move drag: whole redraws per second while the mouse moves (a move every 25 ms)",
    [d["rate"] for d in drags], "≥ 30 per s", "per s", 1.0, 1)
add("  moves the editor saw (of %d sent)" % moves_sent, [d["moves"] for d in drags], "", "")
add("  backlog: last picture after the last move sent", [d["backlog"] for d in drags], "no backlog")
add("  redraws after the last move sent", [d["after"] for d in drags], "", "")
v = results.get("release", [])
add("release of that drag to last picture", [a for a, _ in v], "≤ 60 ms")
add("  … to idle after it", [b for _, b in v], "")
v = results.get("perspective", [])
add("perspective key (Page Up)", [a for a, _ in v], "≤ 20 ms")
add("  … to idle after it", [b for _, b in v], "")
add("peak resident memory after open + select all + drag (a fresh editor)", peaks, "≤ 300 MB",
    "MB", 1 / 1024)
rows.append(("  peak after the whole run above (every open, key and drag)",
             "%d MB" % (peak_all // 1024), ""))

print()
print("| interaction | measured: median (min–max, runs) | target |")
print("|---|---|---|")
for r in rows:
    print("| %s | %s | %s |" % r)
EOF
