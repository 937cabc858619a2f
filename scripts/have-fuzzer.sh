#!/usr/bin/env bash
# Succeeds when clang++ can build a libFuzzer program here (clang and its fuzzing runtime, for
# example Debian's clang and libclang-rt-14-dev, are installed). The GCC build never needs them.
set -euo pipefail
command -v clang++ >/dev/null 2>&1 || exit 1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '%s\n' 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$dir/probe.cpp"
clang++ -fsanitize=fuzzer "$dir/probe.cpp" -o "$dir/probe" >/dev/null 2>&1
