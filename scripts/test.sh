#!/usr/bin/env bash
# Runs every test: installs what is missing, builds every preset, runs the native
# tests, the same under AddressSanitizer and UndefinedBehaviorSanitizer, every
# fuzz target for 30 seconds (PELIKAR_FUZZ_SECONDS), and the
# Windows tests under Wine for the 32-bit and the 64-bit control alike. The 32-bit
# build comes first: the 64-bit one packages both controls and tests the installer.
# Exits non-zero on the first failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/bootstrap.sh"

step() { printf '\n=== %s\n' "$*"; }
jobs=$(nproc 2>/dev/null || echo 2)

for preset in native native-asan windows-x86 windows-x64; do
  step "$preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  step "$preset: test"
  ctest --preset "$preset"
  if [ "$preset" = native-asan ]; then
    step "fuzz targets, ${PELIKAR_FUZZ_SECONDS:-30} s each"
    "$root/scripts/fuzz.sh" "${PELIKAR_FUZZ_SECONDS:-30}"
  fi
done

step "all tests passed"
