#!/usr/bin/env bash
# The tree `cmake --install` makes, in a temporary prefix:
#   install_tree.sh BUILD_DIR
# Both programs run from it; the desktop entry passes desktop-file-validate; the MIME type builds
# a database that maps scene files to it; the icon is a picture in the hicolor theme.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
[ "$("$prefix/bin/kolvex" --version)" = "Kolvex 1.0" ] || fail "kolvex --version"
"$prefix/bin/kvxtool" --help | grep -q "kvxtool info" || fail "kvxtool --help"
[ ! -e "$prefix/bin/kolvex-harness" ] || fail "the test harness is installed"

desktop="$prefix/share/applications/kolvex.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
grep -q '^MimeType=application/x-kolvex-scene;' "$desktop" || fail "the entry names no scene type"

mime="$prefix/share/mime"
[ -f "$mime/packages/kolvex.xml" ] || fail "no MIME type"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$mime" >/dev/null 2>&1 || fail "the MIME type does not build"
  grep -q '^50:application/x-kolvex-scene:\*.KVX' "$mime/globs2" || fail "*.KVX is not a scene"
fi

icon="$prefix/share/icons/hicolor/scalable/apps/kolvex.svg"
grep -q '<svg ' "$icon" 2>/dev/null || fail "no scalable icon"
[ "$(grep -c '<rect ' "$icon")" -gt 50 ] || fail "the icon is not the program's cube"
echo "PASS: the install tree in $prefix"
