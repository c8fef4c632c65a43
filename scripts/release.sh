#!/usr/bin/env bash
# Builds the release that players download: the windows preset (Release configuration), then
# dist/korvani-VERSION-win64.zip with the folder korvani-VERSION/ holding korvani.exe, the
# bundled problem files, the players' read-me (readme.txt, Japanese) and the licence. VERSION is
# the project() version in CMakeLists.txt; cmake/package_release.cmake lays out the zip. The
# checks of the executable (CTest label "release": imports, version) must pass first.
#
#   scripts/release.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ $# -ne 0 ]; then
    echo "usage: scripts/release.sh" >&2
    exit 2
fi

scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target korvani
# No zip for an executable that needs a DLL Windows lacks, or that carries another version.
ctest --preset windows -L release
cmake --build --preset windows -j2 --target korvani-release
