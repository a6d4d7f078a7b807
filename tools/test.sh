#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively
# (with AddressSanitizer/UBSan, and the threaded game with ThreadSanitizer),
# the Windows programs under wine, and a build of the 32-bit program.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "${root}"
jobs="$(nproc)"

bash tools/setup.sh

step() { printf '\n=== %s\n' "$*"; }

step "native (ASan + UBSan)"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "${jobs}"
ctest --preset native-asan -j "${jobs}"

step "native (ThreadSanitizer: the two-thread game)"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j "${jobs}" --target core_threads_test
build/native-tsan/tests/game/core_threads_test

step "win32 (build, and the exe's imports; its other tests need a 32-bit wine)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "${jobs}"
ctest --preset win32

step "win64 (tests under wine)"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "${jobs}"

source tools/wine-env.sh
trap brixol_stop_wine EXIT
brixol_start_display
export LANG=C.UTF-8  # a non-Japanese system: the program must not depend on the code page
brixol_prepare_prefix "${root}/build/wineprefix"
ctest --preset win64
