// The Open-problem dialog (resource 111): lists the problem files beside the executable and loads
// the chosen one. At start-up it runs with no owner, before the main window exists.
#include "files/open_file.h"
#include "progress/file_names.h"
#include "progress/problem_loading.h"
#include "text/code_pages.h"
#include "text/list_texts.h"
#include "win/dialogs.h"
#include "win/wide_text.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace korvani {

namespace {

constexpr DWORD modulePathCapacity = 512;
constexpr DWORD wideNameCapacity = MAX_PATH;

// A file beside the executable whose name has no code page 932 form is listed, but the save file
// could not keep its name: choosing it says so and stores nothing.
constexpr char unstorableNameText[] =
    "このファイル名には、セーブファイルに記録できない文字が含まれています。\n"
    "ファイル名を英数字やかな・漢字だけに変えてから、もう一度開いてください。";
constexpr char unstorableNameCaption[] = "確認";

enum class OpenResult { opened, failed, told };

// A listed file that does not load is named, with why, and the dialog stays open for another
// choice; closing it as if cancelled would let the player think the file had opened.
void tellNotLoaded(HWND dialog, const ProgressStore& store, const char (&chosen)[problemNameSize],
                   const wchar_t* listText) {
    char path[problemPathCapacity];
    std::FILE* file =
        problemFilePathFor(store, chosen, path, sizeof path) ? openFile(path, "r") : nullptr;
    if (file != nullptr) std::fclose(file);
    std::wstring text = std::wstring(listText) + L".dat を読み込めませんでした: ";
    text += file != nullptr ? L"正しい問題の行がありません" : L"ファイルを開けません";
    MessageBoxW(dialog, text.c_str(), L"確認", MB_OK | MB_ICONWARNING);
}

ProgressStore* storeOf(HWND dialog) {
    return reinterpret_cast<ProgressStore*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The executable's directory with its trailing separator (empty when the path has none, meaning
// the current directory). False when the path cannot be had whole.
bool executableDirectory(wchar_t (&directory)[modulePathCapacity]) {
    const DWORD length = executablePath(directory, modulePathCapacity);
    if (length == 0) return false;
    DWORD prefix = 0;
    for (DWORD i = 0; i < length; ++i) {
        if (directory[i] == L'\\' || directory[i] == L'/') prefix = i + 1;
    }
    directory[prefix] = L'\0';
    return true;
}

// The list text of a directory entry, or false when it is not listed. A name with a code page 932
// form follows the byte rules that the save file's names follow; any other name is listed by the
// same rules counted in characters, so that the player learns why it cannot be opened.
bool listTextOf(const WIN32_FIND_DATAW& entry, const char (&problemFileName)[problemNameSize],
                wchar_t (&text)[wideNameCapacity], bool& current) {
    const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    char name[wideNameCapacity * 2];
    if (narrowText(codePage932, entry.cFileName, name, sizeof name)) {
        char bytes[problemNameSize];
        if (!problemListText(name, isDirectory, bytes)) return false;
        current = isCurrentProblemFile(name, problemFileName);
        return widenText(codePage932, bytes, text, wideNameCapacity);
    }
    const std::size_t length = std::wcslen(entry.cFileName);
    if (isDirectory || length < 5 || length >= problemNameSize ||
        std::wcscmp(entry.cFileName + length - 4, L".dat") != 0)
        return false;
    std::wmemcpy(text, entry.cFileName, length - 4);
    text[length - 4] = L'\0';
    current = false;
    return true;
}

// Adds every listed problem file of the directory to the list, in the order the directory gives
// them, and selects the current file's line (line 0 when it is not there). False when nothing
// was listed.
bool fillProblemFileList(HWND list, const wchar_t* directory,
                         const char (&problemFileName)[problemNameSize]) {
    wchar_t pattern[modulePathCapacity + 8];
    const std::size_t directoryLength = std::wcslen(directory); // below modulePathCapacity
    std::wmemcpy(pattern, directory, directoryLength);
    std::wmemcpy(pattern + directoryLength, L"*.dat", 6);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return false;

    int listed = 0;
    int currentLine = 0;
    do {
        wchar_t text[wideNameCapacity];
        bool current = false;
        if (!listTextOf(entry, problemFileName, text, current)) continue;
        if (current) currentLine = listed;
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ++listed;
    } while (FindNextFileW(search, &entry));
    FindClose(search);

    if (listed == 0) return false;
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(currentLine), 0);
    return true;
}

// Loads the file of the selected line. On success its record is current and the current puzzle
// is its first uncleared one (puzzle 0 when all are cleared). On failure the store is as it was:
// the loader changes nothing then, and the previous name is put back so that the save file
// never names a file that failed. A name that the save file cannot hold is never stored.
OpenResult openSelectedFile(HWND dialog, ProgressStore& store) {
    HWND list = GetDlgItem(dialog, openProblemListId);
    const LRESULT line = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return OpenResult::failed;
    wchar_t wideText[256] = {};
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length == LB_ERR || length >= 256) return OpenResult::failed;
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(wideText));

    char text[512];
    if (!narrowText(codePage932, wideText, text, sizeof text)) {
        showMessageBox(dialog, unstorableNameText, unstorableNameCaption, MB_OK | MB_ICONWARNING);
        return OpenResult::told;
    }
    char chosen[problemNameSize];
    if (!problemFileNameFromListText(text, chosen)) return OpenResult::failed;

    if (!openProblemFile(store, chosen)) {
        tellNotLoaded(dialog, store, chosen, wideText);
        return OpenResult::told;
    }
    return OpenResult::opened;
}

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    centreDialog(dialog);
    auto* store = reinterpret_cast<ProgressStore*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    wchar_t directory[modulePathCapacity];
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
    case IDOK: {
        // After a file that was named as not loading, the player chooses again.
        const OpenResult result = openSelectedFile(dialog, *store);
        if (result != OpenResult::told)
            EndDialog(dialog, result == OpenResult::opened ? IDOK : IDCANCEL);
        return TRUE;
    }
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case openProblemListId:
        // A double click on a file that fails to load leaves the dialog open for another choice.
        if (HIWORD(static_cast<DWORD_PTR>(wParam)) == LBN_DBLCLK &&
            openSelectedFile(dialog, *store) == OpenResult::opened) {
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
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(openProblemDialogId), nullptr,
                           openProblemDialogProc, reinterpret_cast<LPARAM>(&store)) == IDOK;
}

} // namespace korvani
