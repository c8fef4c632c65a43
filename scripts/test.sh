#!/usr/bin/env bash
# Builds everything and runs every test: the native build under the sanitizers, the benchmark
# and fuzz builds (compiled, and each fuzz target run briefly), the game built by clang for
# Windows, then the Windows build with its tests under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/deps.sh

cmake --preset host
cmake --build --preset host
ctest --preset host -j"$(nproc)"

cmake --preset bench
cmake --build --preset bench

cmake --preset fuzz
cmake --build --preset fuzz
scripts/fuzz.sh --smoke

# The game built by clang for the same Windows target: built only, its tests are those below.
cmake --preset windows-clang
cmake --build --preset windows-clang

source scripts/wine-env.sh
korvani_prepare_locale
korvani_prepare_prefix
korvani_start_xvfb
trap 'korvani_stop_wineserver; korvani_stop_xvfb' EXIT
korvani_warm_wineserver

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
