#!/usr/bin/env bash
# Runs every test: installs what is missing, builds every preset, runs the native
# tests, the same under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# Windows tests under Wine; the 32-bit Windows build is compiled and linked only
# (it cannot run here). Exits non-zero on the first failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/bootstrap.sh"

step() { printf '\n=== %s\n' "$*"; }
jobs=$(nproc 2>/dev/null || echo 2)

for preset in native native-asan windows-x64; do
  step "$preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  step "$preset: test"
  ctest --preset "$preset"
done

step "windows-x86: build"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$jobs"

step "all tests passed"
