// The hint's balloon window: its class, its painting (the caption in bold, then the explanation,
// on the tooltip colours of the system), its size from the text and its place beside the cell.
#include "win/hint_balloon.h"

#include "render/board_renderer.h"

namespace korvani {

namespace {

constexpr wchar_t balloonClass[] = L"KorvaniHintBalloon";
constexpr wchar_t caption[] = L"\u30D2\u30F3\u30C8"; // ヒント
constexpr int textCapacity = 1024;
constexpr int basePadding = 8; // inside the border, at 96 DPI
constexpr int baseGap = 6;     // between the cell and the balloon
constexpr int baseTextWidth = 300;
constexpr int baseFontHeight = 12;

int scaled(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

int dpiOf(HWND window) {
    return static_cast<int>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HFONT balloonFont(int dpi, bool bold) {
    HFONT font = createUiFont(scaled(baseFontHeight, dpi));
    if (!bold || font == nullptr) return font;
    LOGFONTW description = {};
    GetObjectW(font, sizeof description, &description);
    DeleteObject(font);
    description.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&description);
}

// The caption's and the text's rectangles, measured for a text box `width` wide. Returns the
// height of both.
int layoutText(HDC dc, const wchar_t* text, int width, int dpi, RECT& captionBox, RECT& textBox) {
    HFONT bold = balloonFont(dpi, true);
    HFONT normal = balloonFont(dpi, false);
    HGDIOBJ previous = SelectObject(dc, bold);
    captionBox = {0, 0, width, 0};
    DrawTextW(dc, caption, -1, &captionBox, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, normal);
    const int spacing = scaled(4, dpi);
    textBox = {0, captionBox.bottom + spacing, width, captionBox.bottom + spacing};
    DrawTextW(dc, text, -1, &textBox, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, previous);
    DeleteObject(bold);
    DeleteObject(normal);
    return textBox.bottom;
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    const int dpi = dpiOf(window);
    const int padding = scaled(basePadding, dpi);
    wchar_t text[textCapacity] = {};
    GetWindowTextW(window, text, textCapacity);
    RECT captionBox;
    RECT textBox;
    const int width = client.right - 2 * padding;
    layoutText(dc, text, width, dpi, captionBox, textBox);
    OffsetRect(&captionBox, padding, padding);
    OffsetRect(&textBox, padding, padding);
    textBox.right = client.right - padding;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    HFONT bold = balloonFont(dpi, true);
    HFONT normal = balloonFont(dpi, false);
    HGDIOBJ previous = SelectObject(dc, bold);
    DrawTextW(dc, caption, -1, &captionBox, DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, normal);
    DrawTextW(dc, text, -1, &textBox, DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, previous);
    DeleteObject(bold);
    DeleteObject(normal);
    EndPaint(window, &ps);
}

LRESULT CALLBACK balloonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // a click on it never takes the focus from the board
    case WM_LBUTTONDOWN:
        ShowWindow(window, SW_HIDE);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, balloonClass, &windowClass)) return true;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = balloonProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = balloonClass;
    return RegisterClassExW(&windowClass) != 0;
}

// One coordinate of the balloon: beside the anchor after it when it fits before `limit`, else
// before it, else pushed inside [low, limit).
int placeBeside(int anchorLow, int anchorHigh, int size, int gap, int low, int limit) {
    if (anchorHigh + gap + size <= limit) return anchorHigh + gap;
    if (anchorLow - gap - size >= low) return anchorLow - gap - size;
    const int start = limit - size;
    return start < low ? low : start;
}

int clampInto(int start, int size, int low, int limit) {
    if (start + size > limit) start = limit - size;
    return start < low ? low : start;
}

} // namespace

void HintBalloon::show(HWND owner, const char* utf8Text, const RECT& anchor, int dpi) {
    wchar_t text[textCapacity];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8Text, -1, text, textCapacity) == 0) return;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    if (window_ == nullptr) {
        if (!registerClass(instance)) return;
        window_ =
            CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, balloonClass, L"",
                            WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner, nullptr, instance, nullptr);
        if (window_ == nullptr) return;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, dpi);
    SetWindowTextW(window_, text);

    // The size from the text, at most a board's width less the margins.
    RECT client;
    GetClientRect(owner, &client);
    const int padding = scaled(basePadding, dpi);
    int textWidth = scaled(baseTextWidth, dpi);
    if (textWidth > client.right - 4 * padding) textWidth = client.right - 4 * padding;
    if (textWidth < 1) textWidth = 1;
    HDC dc = GetDC(window_);
    RECT captionBox;
    RECT textBox;
    const int textHeight = layoutText(dc, text, textWidth, dpi, captionBox, textBox);
    ReleaseDC(window_, dc);
    const int usedWidth = textBox.right > captionBox.right ? textBox.right : captionBox.right;
    RECT frame = {0, 0, usedWidth + 2 * padding, textHeight + 2 * padding};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    // Beside the cell, to its right or left, level with it, all inside the client area.
    const int gap = scaled(baseGap, dpi);
    const int x = placeBeside(anchor.left, anchor.right, width, gap, client.left, client.right);
    const int y = clampInto(anchor.top, height, client.top, client.bottom);
    POINT origin = {x, y};
    ClientToScreen(owner, &origin);
    SetWindowPos(window_, HWND_TOP, origin.x, origin.y, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, TRUE);
}

bool HintBalloon::close() {
    if (!shown()) return false;
    ShowWindow(window_, SW_HIDE);
    return true;
}

bool HintBalloon::shown() const {
    return window_ != nullptr && IsWindowVisible(window_);
}

void HintBalloon::destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
}

} // namespace korvani
