// Virtual keys to the rules' key operations, with Ctrl and Shift read from the keyboard state at
// the time of the message, and the tracking that brings WM_MOUSELEAVE.
#include "win/keyboard_input.h"

#include "game/game_state.h"

namespace korvani {

namespace {

bool tracking = false;

bool held(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// Keys 1 to 9 on the main row or the keypad; 0 for any other key.
int digitOfKey(WPARAM key) {
    if (key >= '1' && key <= '9') return static_cast<int>(key - '0');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9) return static_cast<int>(key - VK_NUMPAD0);
    return 0;
}

bool cursorKeyOf(WPARAM key, CursorKey& out) {
    switch (key) {
    case VK_LEFT:
        out = CursorKey::Left;
        return true;
    case VK_RIGHT:
        out = CursorKey::Right;
        return true;
    case VK_UP:
        out = CursorKey::Up;
        return true;
    case VK_DOWN:
        out = CursorKey::Down;
        return true;
    case VK_HOME:
        out = CursorKey::Home;
        return true;
    case VK_END:
        out = CursorKey::End;
        return true;
    default:
        return false;
    }
}

} // namespace

bool onKeyDownMessage(GameState& game, WPARAM key) {
    if (const int digit = digitOfKey(key); digit != 0) {
        onDigitKey(game, digit, held(VK_SHIFT));
        return true;
    }
    CursorKey cursorKey = CursorKey::Left;
    if (cursorKeyOf(key, cursorKey)) {
        onCursorKey(game, cursorKey, held(VK_CONTROL));
        return true;
    }
    switch (key) {
    case VK_ESCAPE:
        onEscapeKey(game);
        return true;
    case VK_SPACE:
    case VK_RETURN:
        onActivateKey(game);
        return true;
    case VK_DELETE:
    case VK_BACK:
    case '0':
    case VK_NUMPAD0:
        onEraseKey(game);
        return true;
    case 'N':
        onNoteModeKey(game);
        return true;
    default:
        return false;
    }
}

void trackMouseLeave(HWND window) {
    if (tracking) return;
    TRACKMOUSEEVENT request = {};
    request.cbSize = sizeof request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    tracking = TrackMouseEvent(&request) != FALSE;
}

void onMouseLeaveMessage(GameState& game) {
    tracking = false;
    onMouseLeave(game);
}

} // namespace korvani
