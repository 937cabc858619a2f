#!/usr/bin/env bash
# Installs the Debian packages Kolvex needs to build, test and run, skipping those already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev libx11-dev qt6-translations-l10n
  libtinyobjloader-dev libassimp-dev libtinygltf-dev nlohmann-json3-dev
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
# Node.js and npm, for the glTF validator the tests run; a node of another origin is kept.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Khronos glTF validator (npm package), beside its script in scripts/gltf-validator.
validator="$(dirname "$0")/gltf-validator"
if [ ! -d "$validator/node_modules/gltf-validator" ]; then
  echo "Installing: gltf-validator (npm)"
  npm install --prefix "$validator" --no-audit --no-fund --silent
fi
