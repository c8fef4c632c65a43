// The Open-problem dialog (resource 111): lists the problem files beside the executable and loads
// the chosen one. At start-up it runs with no owner, before the main window exists.
#include "progress/problem_loading.h"
#include "progress/progress_records.h"
#include "progress/save_file.h"
#include "progress/selection_list.h"
#include "win/dialogs.h"

#include <cstdio>
#include <cstring>

namespace korvani {

namespace {

constexpr DWORD modulePathCapacity = 512;

ProgressStore* storeOf(HWND dialog) {
    return reinterpret_cast<ProgressStore*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The executable's directory with its trailing separator ("" when the path has none, meaning
// the current directory). False when the path cannot be had whole.
bool executableDirectory(char (&directory)[modulePathCapacity]) {
    const DWORD length = GetModuleFileNameA(nullptr, directory, modulePathCapacity);
    // A path that fills the buffer has been cut: its directory part may be wrong.
    if (length == 0 || length >= modulePathCapacity) return false;
    directory[directoryPrefix(directory, length)] = '\0';
    return true;
}

// Adds every listed problem file of the directory to the list, in the order the directory gives
// them, and selects the current file's line (line 0 when it is not there). False when nothing
// was listed.
bool fillProblemFileList(HWND list, const char* directory,
                         const char (&problemFileName)[problemNameSize]) {
    char pattern[modulePathCapacity + 8];
    std::snprintf(pattern, sizeof pattern, "%s*.dat", directory);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return false;

    int listed = 0;
    int currentLine = 0;
    do {
        char text[problemNameSize];
        const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!problemListText(entry.cFileName, isDirectory, text)) continue;
        if (isCurrentProblemFile(entry.cFileName, problemFileName)) currentLine = listed;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ++listed;
    } while (FindNextFileA(search, &entry));
    FindClose(search);

    if (listed == 0) return false;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(currentLine), 0);
    return true;
}

// Loads the file of the selected line. On success its record is current and the current puzzle
// is its first uncleared one (puzzle 0 when all are cleared). On failure the store is as it was:
// the loader changes nothing then, and the previous name is put back so that the save file
// never names a file that failed.
bool openSelectedFile(HWND dialog, ProgressStore& store) {
    HWND list = GetDlgItem(dialog, openProblemListId);
    const LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return false;
    // LB_GETTEXTLEN may count more than the text holds (double-byte text), never less; every
    // listed text has at most 59 bytes, so a fitting length is checked before the copy.
    char text[256] = {};
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof text)) return false;
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));

    char chosen[problemNameSize];
    if (!problemFileNameFromListText(text, chosen)) return false;

    char previous[problemNameSize];
    std::memcpy(previous, store.header.problemFileName, sizeof previous);
    std::memcpy(store.header.problemFileName, chosen, sizeof chosen);
    if (!loadProblemFile(store)) {
        std::memcpy(store.header.problemFileName, previous, sizeof previous);
        return false;
    }
    store.header.currentProblemIndex = 0;
    selectNextUnsolved(store); // every puzzle cleared: the index stays 0
    return true;
}

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    centreDialog(dialog);
    auto* store = reinterpret_cast<ProgressStore*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    char directory[modulePathCapacity];
    if (store == nullptr || !executableDirectory(directory) ||
        !fillProblemFileList(GetDlgItem(dialog, openProblemListId), directory,
                             store->header.problemFileName)) {
        // Nothing to choose from: the dialog ends before it is ever used.
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

INT_PTR onCommand(HWND dialog, WPARAM wParam) {
    ProgressStore* store = storeOf(dialog);
    if (store == nullptr) return FALSE;
    switch (LOWORD(static_cast<DWORD_PTR>(wParam))) {
    case IDOK:
        // A file that fails to load from OK closes the dialog as cancelled.
        EndDialog(dialog, openSelectedFile(dialog, *store) ? IDOK : IDCANCEL);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case openProblemListId:
        // A double click on a file that fails to load leaves the dialog open for another choice.
        if (HIWORD(static_cast<DWORD_PTR>(wParam)) == LBN_DBLCLK &&
            openSelectedFile(dialog, *store)) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK openProblemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, lParam);
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

bool runStartupOpenProblemDialog(HINSTANCE instance, ProgressStore& store) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(openProblemDialogId), nullptr,
                           openProblemDialogProc, reinterpret_cast<LPARAM>(&store)) == IDOK;
}

} // namespace korvani
