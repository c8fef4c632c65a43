#!/usr/bin/env bash
# Makes sure the Debian packages that korvani's build and tests need are present.
# As root on a fresh machine it installs what is missing; otherwise it names what to install.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev     # native build, sanitizers, libFuzzer
    googletest libbenchmark-dev                        # GoogleTest sources, Google Benchmark
    g++-mingw-w64-x86-64 lld                           # the Windows cross compilers, windres, lld
    wine64 xvfb xdotool imagemagick x11-utils          # running and driving the game under Wine
    fonts-ipafont-gothic fonts-wine locales            # Japanese text under Wine, ja_JP locale data
    libfreetype-dev fonts-dejavu-core                  # the bitmap generator and its fonts
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
else
    echo "korvani needs these Debian packages, which are not installed:" >&2
    echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
