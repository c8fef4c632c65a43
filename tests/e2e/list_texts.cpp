// Test helper for the end-to-end tests: "list_texts PROGRAM" prints the lines of every list box
// in the visible top-level windows of the processes running PROGRAM (a Windows path such as
// Z:\tmp\x\korvani.exe), in UTF-8, one a line. "list_texts PROGRAM all" also prints each such
// window's title as "title:TEXT" and the text of its other controls as "text:TEXT". Texts are read
// through the wide functions, so they come out right whatever the ANSI code page; a screenshot
// would not read back as text. Every program that shares the Wine server is on one desktop, hence
// the choice by program.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

namespace {

void writeUtf8(const wchar_t* text) {
    char bytes[1024];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (length > 1) std::fwrite(bytes, 1, static_cast<size_t>(length - 1), stdout);
}

void printText(const char* label, HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    if (text[0] == L'\0') return;
    std::fputs(label, stdout);
    writeUtf8(text);
    std::fputc('\n', stdout);
}

BOOL CALLBACK printListBox(HWND child, LPARAM all) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"ListBox") != 0) {
        if (all) printText("text:", child);
        return TRUE;
    }
    const LRESULT count = SendMessageW(child, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[256] = {};
        if (SendMessageW(child, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= 256) continue;
        SendMessageW(child, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        writeUtf8(line);
        std::fputc('\n', stdout);
    }
    return TRUE;
}

bool runsProgram(HWND window, const wchar_t* program) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    const bool same =
        QueryFullProcessImageNameW(process, 0, path, &length) && lstrcmpiW(path, program) == 0;
    CloseHandle(process);
    return same;
}

const wchar_t* program = nullptr;
bool all = false;

BOOL CALLBACK printWindow(HWND window, LPARAM) {
    if (IsWindowVisible(window) && runsProgram(window, program)) {
        if (all) printText("title:", window);
        EnumChildWindows(window, printListBox, all);
    }
    return TRUE;
}

} // namespace

int main() {
    // The wide command line, so that a program in a folder of any script is named exactly.
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return 2;
    if (argc != 2 && !(argc == 3 && lstrcmpW(argv[2], L"all") == 0)) return 2;
    program = argv[1];
    all = argc == 3;
    EnumWindows(printWindow, 0);
    LocalFree(argv);
    return 0;
}
