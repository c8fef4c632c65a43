// The Problem-selection dialog (resource 108): the current file's puzzles with their difficulty
// and last clear time, the choice of one, and the Clear button that erases the file's times.
#include "progress/progress_records.h"
#include "text/code_pages.h"
#include "text/list_texts.h"
#include "win/dialogs.h"
#include "win/wide_text.h"

namespace korvani {

namespace {

ProgressStore* storeOf(HWND dialog) {
    return reinterpret_cast<ProgressStore*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void fillPuzzleList(HWND list, const ProgressStore& store) {
    // In dialog-template units: after "%3d:" and after the difficulty.
    INT tabStops[2] = {20, 64};
    SendMessageW(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(tabStops));

    const ProgressRecord* record = currentRecord(store);
    for (int i = 0; i < store.problemCount && i < maxProblemsPerFile; ++i) {
        const std::int16_t seconds = record != nullptr ? record->clearSeconds[i] : 0;
        char line[selectionLineSize];
        formatSelectionLine(i + 1, store.problems[i].difficulty, seconds, line);
        addListText(list, line);
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(store.header.currentProblemIndex), 0);
}

// The chosen line becomes the current puzzle; false when no line is selected.
bool takeSelection(HWND dialog, ProgressStore& store) {
    const LRESULT line = SendDlgItemMessageW(dialog, selectProblemListId, LB_GETCURSEL, 0, 0);
    if (line == LB_ERR) return false;
    store.header.currentProblemIndex = static_cast<std::int32_t>(line);
    return true;
}

void askAndClearTimes(HWND dialog, ProgressStore& store) {
    if (showMessageBox(dialog, "すべての記録を削除します。よろしいですか?", "確認", MB_OKCANCEL) !=
        IDOK) {
        return;
    }
    // Erased at once: Cancel afterwards does not bring the times back.
    clearRecordTimes(store);
    HWND list = GetDlgItem(dialog, selectProblemListId);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    fillPuzzleList(list, store);
}

INT_PTR onInitDialog(HWND dialog, LPARAM lParam) {
    centreDialog(dialog);
    auto* store = reinterpret_cast<ProgressStore*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (store == nullptr) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    char title[problemNameSize];
    formatProblemTitle(store->header.problemFileName, title);
    // The name as the save file holds it, in code page 932.
    wchar_t wideTitle[problemNameSize];
    widenText(codePage932, title, wideTitle, problemNameSize);
    SetDlgItemTextW(dialog, selectProblemTitleId, wideTitle);
    fillPuzzleList(GetDlgItem(dialog, selectProblemListId), *store);
    return TRUE;
}

INT_PTR onCommand(HWND dialog, WPARAM wParam) {
    ProgressStore* store = storeOf(dialog);
    if (store == nullptr) return FALSE;
    switch (LOWORD(static_cast<DWORD_PTR>(wParam))) {
    case IDOK:
        // OK with nothing selected acts as Cancel.
        EndDialog(dialog, takeSelection(dialog, *store) ? IDOK : IDCANCEL);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case selectProblemListId:
        if (HIWORD(static_cast<DWORD_PTR>(wParam)) == LBN_DBLCLK && takeSelection(dialog, *store))
            EndDialog(dialog, IDOK);
        return FALSE;
    case selectProblemClearId:
        askAndClearTimes(dialog, *store);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK selectProblemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, lParam);
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace korvani
