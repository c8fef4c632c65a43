#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix, code page 932 (or the locale in
# KORVANI_LOCALE: en_US.UTF-8 gives code page 1252, hi_IN.UTF-8 65001) and no debug chatter. CTest uses it as the cross-compiling emulator; the scripts use it to start the game.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
top="$(dirname "$here")"
export WINEPREFIX="${KORVANI_WINEPREFIX:-$top/build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="${KORVANI_LOCPATH:-$top/build/locale}"
exec env LC_ALL="${KORVANI_LOCALE:-ja_JP.UTF-8}" /usr/lib/wine/wine64 "$@"
