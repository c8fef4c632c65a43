#!/usr/bin/env bash
# Builds korvani.exe (windows preset), lays it out with the bundled problem files in build/play/
# and runs it under Wine on your X display. build/play/ keeps the save file (korvani.sav), so
# progress carries over from one run to the next.
#
#   scripts/play.sh          play on $DISPLAY
#   scripts/play.sh --xvfb   no display at hand: run on a virtual one (screenshots on request)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
top="$(pwd)"

use_xvfb=""
case "${1:-}" in
--xvfb) use_xvfb=1 ;;
"") ;;
*)
    echo "usage: scripts/play.sh [--xvfb]" >&2
    exit 2
    ;;
esac

if [ -z "$use_xvfb" ] && [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'TEXT'
korvani is a Windows program with a window; it runs under Wine and needs an X display, but
DISPLAY is not set here (a terminal without a desktop, or an ssh session without -X).

  - On a desktop, run scripts/play.sh from a terminal there.
  - Over ssh, connect with "ssh -X" (or -Y) so that the window opens on your own screen.
  - Without any display, "scripts/play.sh --xvfb" runs the game on a virtual display and
    lets you take screenshots of it (build/play/screenshot-N.png) from this terminal.
TEXT
    exit 1
fi

scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target korvani

play="$top/build/play"
mkdir -p "$play"
cp build/windows/korvani.exe "$play/korvani.exe"
# The bundled problem files are refreshed; any other .dat and the save file are left alone.
cp puzzles/*.dat "$play/"

source scripts/wine-env.sh
korvani_prepare_locale
korvani_prepare_prefix

if [ -z "$use_xvfb" ]; then
    echo "Starting korvani from $play (progress is kept in $play/korvani.sav)"
    exec scripts/wine-run.sh "$play/korvani.exe"
fi

korvani_start_xvfb
scripts/wine-run.sh "$play/korvani.exe" &
game=$!
stop() {
    # Close the window the ordinary way, so that the game writes its save file.
    local w
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        xdotool windowfocus --sync "$w" key --clearmodifiers alt+F4 2>/dev/null || true
    done
    for _ in $(seq 50); do
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    kill "$game" 2>/dev/null || true
    korvani_stop_xvfb
}
trap stop EXIT
echo "korvani runs on the virtual display $DISPLAY (progress is kept in $play/korvani.sav)."
echo "Press Enter for a screenshot, q and Enter to close the game."
n=0
while kill -0 "$game" 2>/dev/null; do
    read -r answer || break
    [ "$answer" = q ] && break
    n=$((n + 1))
    import -window root -trim "$play/screenshot-$n.png" && echo "saved $play/screenshot-$n.png"
done
