#!/usr/bin/env bash
# Starts the editor built in $1 (default build/).
set -euo pipefail
build=${1:-build}
exe="$build/app/kolvex"
if [ ! -x "$exe" ]; then
  echo "The editor is not built yet (no $exe). Its window comes with the shell; kvxtool is in $build/tools/."
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: Kolvex is a desktop program and needs one (DISPLAY is not set)."
  echo "To see it without a desktop, run it under Xvfb and take a screenshot, for example:"
  echo "  Xvfb :99 -screen 0 1280x1024x24 & DISPLAY=:99 $exe & sleep 2; DISPLAY=:99 import -window root kolvex.png"
  exit 1
fi
exec "$exe"
