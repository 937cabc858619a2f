#!/usr/bin/env bash
# Installs the Debian packages Kolvex needs to build, test and run, skipping those already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev libx11-dev qt6-translations-l10n
  libtinyobjloader-dev
  xvfb xauth x11-utils imagemagick xdotool
  desktop-file-utils shared-mime-info dpkg-dev
)

# --fuzz: also clang and its fuzzing runtime, for `make fuzz`; the GCC build never needs them.
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
