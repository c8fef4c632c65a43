// Test helper for the end-to-end tests: "list_texts PROGRAM" prints the lines of every list box
// in the visible top-level windows of the processes running PROGRAM (a Windows path such as
// Z:\tmp\x\korvani.exe), in UTF-8, one a line. Texts are read through the wide functions, so
// they come out right whatever the ANSI code page; a screenshot would not read back as text.
// Every program that shares the Wine server is on one desktop, hence the choice by program.
#include <windows.h>

#include <cstdio>

namespace {

void writeUtf8(const wchar_t* text) {
    char bytes[1024];
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (length > 1) std::fwrite(bytes, 1, static_cast<size_t>(length - 1), stdout);
}

BOOL CALLBACK printListBox(HWND child, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (lstrcmpiW(className, L"ListBox") != 0) return TRUE;
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

bool runsProgram(HWND window, const char* program) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    char path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    const bool same =
        QueryFullProcessImageNameA(process, 0, path, &length) && lstrcmpiA(path, program) == 0;
    CloseHandle(process);
    return same;
}

BOOL CALLBACK printWindow(HWND window, LPARAM parameter) {
    const auto* program = reinterpret_cast<const char*>(parameter);
    if (IsWindowVisible(window) && runsProgram(window, program)) {
        EnumChildWindows(window, printListBox, 0);
    }
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    EnumWindows(printWindow, reinterpret_cast<LPARAM>(argv[1]));
    return 0;
}
