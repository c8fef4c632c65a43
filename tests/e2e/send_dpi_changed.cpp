// Test helper for the end-to-end tests: "send_dpi_changed DPI" sends WM_DPICHANGED to korvani's
// main window as Windows does when the window reaches a monitor of another scale: the new DPI
// in both halves of wParam and a suggested window rectangle (same top-left corner, the frame
// as now around the smallest client area at that scale). Wine never sends it by itself. The
// rectangle is written into the game's own memory, since a pointer of this process means
// nothing there. Exit code 0 when the message was delivered.
#include "render/board_geometry.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: send_dpi_changed DPI\n");
        return 2;
    }
    const int dpi = std::atoi(argv[1]);
    HWND window = FindWindowW(L"KORVANI", nullptr);
    if (!window) return 1;
    RECT outer = {};
    RECT client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const korvani::LayoutMetrics metrics = korvani::layoutMetrics(dpi);
    RECT suggested = outer;
    suggested.right = outer.right - client.right + metrics.minimumClientWidth;
    suggested.bottom = outer.bottom - client.bottom + metrics.minimumClientHeight;

    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 1;
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    int status = 1;
    if (remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                                reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &result))
            status = 0;
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return status;
}
