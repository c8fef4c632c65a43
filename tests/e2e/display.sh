#!/usr/bin/env bash
# CTest fixture of the end-to-end tests: "start STATE" starts one virtual X display for all of
# them (and prepares the locale and Wine prefix once); "stop STATE" ends that display.
set -euo pipefail
action="$1"
state="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$state"

case "$action" in
start)
    if [ -f "$state/display" ]; then
        read -r _ old <"$state/display"
        kill "$old" 2>/dev/null || true
        rm -f "$state/display"
    fi
    source "$here/../../scripts/wine-env.sh"
    korvani_prepare_locale
    korvani_prepare_prefix
    n=$((100 + RANDOM % 300))
    for _ in $(seq 20); do
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        pid=$!
        for _ in $(seq 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
                echo ":$n $pid" >"$state/display"
                echo "e2e display :$n (Xvfb $pid)"
                # A wineserver that stays a minute after its last program, so that every test
                # starts the game warm (0.2 s instead of 2 to 4 s).
                "$korvani_wineserver" -p60 >/dev/null 2>&1 </dev/null || true
                DISPLAY=":$n" LC_ALL=ja_JP.UTF-8 LOCPATH="$KORVANI_LOCPATH" \
                    /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
                exit 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        n=$((n + 1))
    done
    echo "cannot start Xvfb" >&2
    exit 1
    ;;
stop)
    if [ -f "$state/display" ]; then
        read -r _ pid <"$state/display"
        kill "$pid" 2>/dev/null || true
        rm -f "$state/display"
    fi
    ;;
esac
