// One game per save file. Every run writes the whole save file when it ends, so two games on
// one save file would wipe out each other's records. The first start claims the save file with
// a named mutex whose name is a hash of the save file's full path in upper case, and publishes
// its process id; a second start finds the mutex taken, brings the first game's window to the
// front and ends. Names go through the wide functions, so any folder name works.
#include "win/single_instance.h"

#include "win/resources/resource.h"

#include <cstdint>

namespace korvani {

namespace {

// The progress store keeps at most 511 bytes of path; a longer one never gets a save file.
constexpr DWORD pathCapacity = 1024;
constexpr DWORD findWindowTimeoutMs = 3000;
constexpr DWORD findWindowRetryMs = 50;

struct ClaimNames {
    wchar_t inUse[64];     // Global\korvani-save-HASH: every session sees it
    wchar_t ownerInfo[64]; // Local\korvani-owner-HASH: only this session may show the window
};

// The save file's path as the progress store derives it (the executable's path with "sav" for
// its last three characters), with short (8.3) names made long and every letter upper case, as
// the file system compares names. False when the executable's path is not at hand or too long
// for the progress store, which then ends start-up itself.
bool comparableSavePath(wchar_t (&path)[pathCapacity], DWORD& length) {
    wchar_t module[pathCapacity];
    const DWORD moduleLength = GetModuleFileNameW(nullptr, module, pathCapacity);
    if (moduleLength < 3 || moduleLength >= pathCapacity) return false;
    length = GetLongPathNameW(module, path, pathCapacity);
    if (length < 3 || length >= pathCapacity) {
        lstrcpyW(path, module);
        length = moduleLength;
    }
    path[length - 3] = L's';
    path[length - 2] = L'a';
    path[length - 1] = L'v';
    CharUpperBuffW(path, length);
    return true;
}

// FNV-1a over the UTF-16 code units, both bytes of each.
std::uint64_t hashPath(const wchar_t* path, DWORD length) {
    std::uint64_t hash = 14695981039346656037ull;
    for (DWORD i = 0; i < length; ++i) {
        const auto value = static_cast<std::uint16_t>(path[i]);
        hash = (hash ^ (value & 0xFFu)) * 1099511628211ull;
        hash = (hash ^ (value >> 8)) * 1099511628211ull;
    }
    return hash;
}

void writeName(wchar_t* out, const wchar_t* prefix, std::uint64_t hash) {
    while (*prefix != L'\0') *out++ = *prefix++;
    for (int shift = 60; shift >= 0; shift -= 4) {
        *out++ = L"0123456789abcdef"[(hash >> shift) & 0xF];
    }
    *out = L'\0';
}

bool makeClaimNames(ClaimNames& names) {
    wchar_t path[pathCapacity];
    DWORD length = 0;
    if (!comparableSavePath(path, length)) return false;
    const std::uint64_t hash = hashPath(path, length);
    writeName(names.inUse, L"Global\\korvani-save-", hash);
    writeName(names.ownerInfo, L"Local\\korvani-owner-", hash);
    return true;
}

DWORD readOwnerProcessId(const wchar_t* name) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    if (mapping == nullptr) return 0;
    DWORD processId = 0;
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof processId)) {
        processId = *static_cast<const volatile DWORD*>(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return processId;
}

struct WindowSearch {
    DWORD processId;
    wchar_t className[64];
    HWND mainWindow;
    HWND otherWindow; // a top-level window of that game while it has no main window yet
};

BOOL CALLBACK considerWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window)) return TRUE;
    if (GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (lstrcmpW(className, search.className) == 0) {
        search.mainWindow = window;
        return FALSE;
    }
    // Before its main window exists the game shows the Open-problem dialog or its error box.
    if (search.otherWindow == nullptr) search.otherWindow = window;
    return TRUE;
}

HWND findGameWindow(DWORD processId) {
    WindowSearch search = {};
    search.processId = processId;
    LoadStringW(GetModuleHandleW(nullptr), IDS_CLASS_NAME, search.className, 64);
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&search));
    return search.mainWindow != nullptr ? search.mainWindow : search.otherWindow;
}

void bringToFront(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // An open dialog of the game, not its disabled main window, is what takes the input.
    HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup != nullptr ? popup : window);
}

// The game that holds the claim may have only just started: its process id or its first window
// can lag behind the mutex for a moment.
void bringOwnerToFront(const wchar_t* ownerInfoName) {
    const ULONGLONG deadline = GetTickCount64() + findWindowTimeoutMs;
    do {
        if (const DWORD processId = readOwnerProcessId(ownerInfoName)) {
            if (HWND window = findGameWindow(processId)) {
                bringToFront(window);
                return;
            }
        }
        Sleep(findWindowRetryMs);
    } while (GetTickCount64() < deadline);
}

} // namespace

SaveFileClaim::~SaveFileClaim() {
    if (ownerInfo_ != nullptr) CloseHandle(ownerInfo_);
    if (inUse_ != nullptr) CloseHandle(inUse_);
}

bool SaveFileClaim::claim() {
    ClaimNames names;
    // Without the executable's path there is no save file either; start-up will say so.
    if (!makeClaimNames(names)) return true;
    inUse_ = CreateMutexW(nullptr, FALSE, names.inUse);
    const DWORD error = GetLastError();
    // Taken: the mutex exists, or it exists but is not ours to open (another user's game).
    const bool taken = (inUse_ != nullptr && error == ERROR_ALREADY_EXISTS) ||
                       (inUse_ == nullptr && error == ERROR_ACCESS_DENIED);
    if (taken) {
        bringOwnerToFront(names.ownerInfo);
        return false;
    }
    // No mutex for another reason: nothing can be told apart, so the game runs as it always has.
    if (inUse_ == nullptr) return true;
    ownerInfo_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                    names.ownerInfo);
    if (ownerInfo_ != nullptr) {
        if (void* view = MapViewOfFile(ownerInfo_, FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
            *static_cast<volatile DWORD*>(view) = GetCurrentProcessId();
            UnmapViewOfFile(view);
        }
    }
    return true;
}

} // namespace korvani
