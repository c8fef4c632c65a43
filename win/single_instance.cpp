// One game per save file. Every run writes the whole save file when it ends, so two games on
// one save file would wipe out each other's records. The first start claims the save file with
// a named mutex whose name is a hash of the save file's full path in upper case, and publishes
// its process id; a second start finds the mutex taken, brings the first game's window to the
// front and ends. Names go through the wide functions, so any folder name works.
#include "win/single_instance.h"

#include "win/resources/resource.h"

#include <cstdint>
#include <string>

namespace korvani {

namespace {

constexpr DWORD longestPath = 32768; // the longest path the wide functions accept, with its NUL
constexpr DWORD findWindowTimeoutMs = 3000;
constexpr DWORD findWindowRetryMs = 50;

struct ClaimNames {
    wchar_t inUse[64];     // Global\korvani-save-HASH: every session sees it
    wchar_t ownerInfo[64]; // Local\korvani-owner-HASH: only this session may show the window
};

// The save file's path as the progress store derives it (the executable's path with "sav" for
// its last three characters), with short (8.3) names made long and every letter upper case, as
// the file system compares names. Empty when the executable's path is not at hand.
std::wstring comparableSavePath() {
    std::wstring module(longestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, module.data(), longestPath);
    if (length == 0 || length >= longestPath) return {};
    module.resize(length);
    std::wstring path(longestPath, L'\0');
    const DWORD longLength = GetLongPathNameW(module.c_str(), path.data(), longestPath);
    if (longLength == 0 || longLength >= longestPath) {
        path = module;
    } else {
        path.resize(longLength);
    }
    if (path.size() < 3) return {};
    path.replace(path.size() - 3, 3, L"sav");
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

// FNV-1a over the UTF-16 code units, both bytes of each.
std::uint64_t hashPath(const std::wstring& path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : path) {
        const auto value = static_cast<std::uint16_t>(unit);
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
    const std::wstring path = comparableSavePath();
    if (path.empty()) return false;
    const std::uint64_t hash = hashPath(path);
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
    // Another user's game on this save file: its mutex exists but is not ours to open.
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
