#!/usr/bin/env bash
# Sourced by the test and play scripts: prepares what Wine needs to run korvani.
#   - a ja_JP.UTF-8 locale of our own (LOCPATH), so Wine's ANSI code page is 932;
#   - a Wine prefix under build/, made once, with Wine drawing its own window frames
#     (Managed=N: without a window manager Wine would otherwise wait on every DestroyWindow);
#   - optionally a virtual X display (korvani_start_xvfb) and a warm wineserver.
korvani_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KORVANI_WINEPREFIX="${KORVANI_WINEPREFIX:-$korvani_top/build/wine-prefix}"
export KORVANI_LOCPATH="${KORVANI_LOCPATH:-$korvani_top/build/locale}"
export WINEPREFIX="$KORVANI_WINEPREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
korvani_wineserver=/usr/lib/wine/wineserver

# ja_JP always; further locales (en_US, hi_IN) by name for the tests on other code pages.
korvani_prepare_locale() {
    local name
    for name in ja_JP "$@"; do
        if [ ! -d "$KORVANI_LOCPATH/$name.UTF-8" ]; then
            mkdir -p "$KORVANI_LOCPATH"
            localedef -i "$name" -f UTF-8 "$KORVANI_LOCPATH/$name.UTF-8" 2>/dev/null || true
        fi
    done
}

korvani_prepare_prefix() {
    if [ ! -f "$WINEPREFIX/.korvani-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$(dirname "$WINEPREFIX")"
        DISPLAY= /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
        "$korvani_wineserver" -w
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$korvani_wineserver" -w
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$WINEPREFIX/.korvani-ready"
    fi
    # Under a non-Japanese locale the menu and caption font (Tahoma) and the dialogs' font (MS UI
    # Gothic) are not there and Japanese shows as empty boxes: link Tahoma to IPA Gothic and put
    # IPA Gothic in place of MS UI Gothic, as a Japanese Windows has them. Under ja_JP Wine draws
    # the same pixels with or without these entries.
    if [ ! -f "$WINEPREFIX/.korvani-fonts" ]; then
        local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        /usr/lib/wine/wine64 reg add "$link" /v Tahoma /t REG_MULTI_SZ \
            /d 'ipag.ttf,IPAGothic\0MSGOTHIC.TTC,MS UI Gothic' /f >/dev/null 2>&1
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v 'MS UI Gothic' /d IPAGothic /f >/dev/null 2>&1
        touch "$WINEPREFIX/.korvani-fonts"
    fi
}

# Starts Xvfb on a free display number and exports DISPLAY; the caller stops it with
# korvani_stop_xvfb (the test script does so from its exit trap). The size matches the display
# of the end-to-end tests: one wineserver keeps the desktop size of the first display it met.
korvani_start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    korvani_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
}

korvani_stop_xvfb() {
    [ -n "${korvani_xvfb_pid:-}" ] && kill "$korvani_xvfb_pid" 2>/dev/null
    korvani_xvfb_pid=
}

korvani_warm_wineserver() {
    "$korvani_wineserver" -p 2>/dev/null || true
    LC_ALL=ja_JP.UTF-8 LOCPATH="$KORVANI_LOCPATH" /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 || true
}

korvani_stop_wineserver() {
    "$korvani_wineserver" -k 2>/dev/null || true
}
