// Minimum-size clamping of the main window's frame drag.
#include "win/sizing_limit.h"

namespace korvani {

FrameExtra measureFrameExtra(HWND window, const LayoutMetrics& metrics) {
    RECT client = {};
    RECT outer = {};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    FrameExtra frame;
    frame.width = (outer.right - outer.left) - client.right;
    frame.height = (outer.bottom - outer.top) - client.bottom + metrics.band;
    frame.minimumSide = metrics.minimumClientWidth;
    return frame;
}

void clampSizingRect(RECT& rect, WPARAM edge, const FrameExtra& frame) {
    const int boardAreaSide = frame.minimumSide; // client height less the band, and the width
    if ((rect.bottom - rect.top) - frame.height < boardAreaSide) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
            rect.top = rect.bottom - frame.height - boardAreaSide;
        else
            rect.bottom = rect.top + frame.height + boardAreaSide;
    }
    if ((rect.right - rect.left) - frame.width < boardAreaSide) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
            rect.left = rect.right - frame.width - boardAreaSide;
        else
            rect.right = rect.left + frame.width + boardAreaSide;
    }
}

} // namespace korvani
