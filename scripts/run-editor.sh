#!/usr/bin/env bash
# Starts the editor built in $1 (default build/).
set -euo pipefail
build=${1:-build}
exe="$build/app/kolvex"
if [ ! -x "$exe" ]; then
  echo "The editor is not built (no $exe): Qt 6 Widgets was not found when $build was configured."
  echo "Run 'make deps', then remove $build and run 'make run' again; kvxtool is in $build/tools/."
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: Kolvex is a desktop program and needs one (DISPLAY is not set)."
  echo "To see it without a desktop, run it under Xvfb and take a screenshot, for example:"
  echo "  Xvfb :99 -nolisten tcp -screen 0 1280x1024x24 & sleep 1"
  echo "  DISPLAY=:99 $exe & sleep 3; DISPLAY=:99 import -window root kolvex.png"
  echo "then open kolvex.png. 'make test' does the same in tests/e2e and checks the picture."
  exit 1
fi
exec "$exe"
