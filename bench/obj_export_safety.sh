#!/usr/bin/env bash
# The OBJ export under kills and rivals, through kvxtool, on two scenes of 100,000 triangles whose
# faces share no colour:
#   bash bench/obj_export_safety.sh [BUILD] [KILLS] [RACES]
# - KILLS exports (60 by default) are each killed with SIGKILL at a random moment of their run;
#   after each, the OBJ file on disk must be whole and its material file must declare every
#   material it uses.
# - RACES times (90 by default) two exports to the same new name start together; one must leave
#   a whole pair, and no temporary file may stay behind.
# Prints the counts. Not part of `make test` (it takes a minute or two).
set -euo pipefail
build=${1:-build}
kills=${2:-60}
races=${3:-90}
kvxtool=$build/tools/kvxtool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A scene of n triangles in colours kvx_C_S_7, C from 0 to 49 plus offset.
make_scene() {
  local name=$1 offset=$2 n=100000
  awk -v n=$n -v off="$offset" -v lib="$name.mtl" 'BEGIN {
    print "mtllib " lib
    for (i = 0; i < n; i++) { x = i % 500; z = int(i / 500); printf "v %d 0 %d\nv %d 0 %d\nv %d 1 %d\n", x, z, x + 1, z, x, z + 1 }
    for (i = 0; i < n; i++) { printf "usemtl kvx_%d_%d_7\nf %d %d %d\n", off + i % 50, off, 3 * i + 1, 3 * i + 2, 3 * i + 3 }
  }' >"$work/$name.obj"
  awk -v off="$offset" 'BEGIN { for (c = 0; c < 50; c++) printf "newmtl kvx_%d_%d_7\nKd %g %g 0.0274509804\n", off + c, off, (off + c) / 255, off / 255 }' \
    >"$work/$name.mtl"
  "$kvxtool" import "$work/$name.obj" "$work/$name.KVX" >/dev/null
}
make_scene a 0
make_scene b 100

# Empty when the pair at $1 is whole and consistent (or absent); else what is wrong.
pair_fault() {
  local obj=$1
  [ -e "$obj" ] || return 0
  awk -v dir="$(dirname "$obj")" '
    /^# Kolvex scene: / { split($0, p, ", "); faces = p[2] + 0 }
    /^mtllib / { lib = dir "/" substr($0, 8) }
    /^usemtl / { used[substr($0, 8)] = 1 }
    /^f / { n++ }
    END {
      if (n != faces) { print "an OBJ file cut short (" n " of " faces " faces)"; exit }
      while ((getline line < lib) > 0) if (line ~ /^newmtl /) have[substr(line, 8)] = 1
      for (m in used) if (!(m in have)) { print "material " m " missing"; exit }
    }' "$obj"
}

start=$(date +%s%N)
"$kvxtool" export "$work/a.KVX" "$work/time.obj" >/dev/null
once_ms=$(( ($(date +%s%N) - start) / 1000000 ))
echo "one export of 100,000 triangles: ${once_ms} ms"

landed=0
for i in $(seq 1 "$kills"); do
  scene=$([ $((i % 2)) = 0 ] && echo a || echo b)
  "$kvxtool" export "$work/$scene.KVX" "$work/out.obj" >/dev/null 2>&1 &
  pid=$!
  sleep "$(awk -v r=$RANDOM -v t="$once_ms" 'BEGIN { printf "%.3f", r / 32767 * t * 1.2 / 1000 }')"
  if kill -9 "$pid" 2>/dev/null; then landed=$((landed + 1)); fi
  wait "$pid" 2>/dev/null || true
  fault=$(pair_fault "$work/out.obj")
  [ -z "$fault" ] || { echo "FAIL after kill $i: $fault"; exit 1; }
done
echo "kills: $kills exports, $landed killed while running, never a mismatched pair" \
  "($(find "$work" -name '.*kvx-*' | wc -l) temporary files of killed exports left)"

stray_before=$(find "$work" -name '.*kvx-*' | wc -l)
both_failed=0
one_refused=0
for i in $(seq 1 "$races"); do
  target="$work/race$i.obj"
  "$kvxtool" export "$work/a.KVX" "$target" >/dev/null 2>&1 & p1=$!
  "$kvxtool" export "$work/b.KVX" "$target" >/dev/null 2>&1 & p2=$!
  s1=0; s2=0
  wait "$p1" || s1=$?
  wait "$p2" || s2=$?
  [ "$s1" != 0 ] && [ "$s2" != 0 ] && both_failed=$((both_failed + 1))
  { [ "$s1" != 0 ] || [ "$s2" != 0 ]; } && one_refused=$((one_refused + 1))
  fault=$(pair_fault "$target")
  [ -z "$fault" ] || { echo "FAIL in race $i: $fault"; exit 1; }
  rm -f "$target" "${target%.obj}.mtl"
done
left=$(($(find "$work" -name '.*kvx-*' | wc -l) - stray_before))
echo "races: $races pairs of exports at once, $both_failed with both failing, $one_refused with one refused, $left temporary files left"
[ "$both_failed" = 0 ] && [ "$left" = 0 ]
