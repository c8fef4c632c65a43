// Test helper for the end-to-end tests: the clipboard of the Wine desktop.
//   korvani-clipboard set TEXT SECONDS   puts TEXT (ASCII; @FILE: that file's bytes, for texts
//                                        longer than a command line) on the clipboard as
//                                        CF_UNICODETEXT, prints "ready" and stays SECONDS seconds:
//                                        under Wine the text can be read only while its owner lives
//   korvani-clipboard get                prints "unicode:TEXT" (as UTF-8) and "text:TEXT" (the
//                                        CF_TEXT bytes), each when there is such text
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int setText(const char* text, int seconds) {
    // A window of our own owns the data: with no owner SetClipboardData fails.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    const std::size_t length = std::strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (length + 1) * sizeof(wchar_t));
    if (owner == nullptr || block == nullptr) return 1;
    auto* wide = static_cast<wchar_t*>(GlobalLock(block));
    for (std::size_t i = 0; i <= length; ++i) wide[i] = static_cast<unsigned char>(text[i]);
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) return 1;
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!set) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
    return 0;
}

int getText() {
    if (!OpenClipboard(nullptr)) return 1;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
        char bytes[4096];
        if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr) > 0)
            std::printf("unicode:%s\n", bytes);
        GlobalUnlock(data);
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        std::printf("text:%s\n", static_cast<const char*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return 0;
}

} // namespace

// The text of `argument`: itself, or with a leading '@' the contents of the file it names.
std::string textOf(const char* argument) {
    if (argument[0] != '@') return argument;
    std::string text;
    if (std::FILE* file = std::fopen(argument + 1, "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "set") == 0)
        return setText(textOf(argv[2]).c_str(), std::atoi(argv[3]));
    if (argc == 2 && std::strcmp(argv[1], "get") == 0) return getText();
    std::fprintf(stderr, "usage: korvani-clipboard set TEXT SECONDS | get\n");
    return 2;
}
