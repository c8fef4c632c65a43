// The modal dialogs (About, Problem-selection, Open-problem, records), the routine that centres
// them, and the start-up run of the Open-problem dialog. Each procedure takes the ProgressStore
// as its creation parameter and keeps the pointer in the dialog's DWLP_USER slot.
#pragma once

#include "progress/progress_store.h"
#include "win/resources/resource.h"

#include <windows.h>

namespace korvani {

// Resource and control identifiers of the dialog templates in win/resources/korvani.rc.
inline constexpr WORD selectProblemDialogId = IDD_SELECT_PROBLEM;
inline constexpr int selectProblemTitleId = IDC_SELECT_FILE_NAME; // the problem file's name
inline constexpr int selectProblemListId = IDC_SELECT_LIST;
inline constexpr int selectProblemClearId = IDC_SELECT_CLEAR; // push button "クリア"
inline constexpr WORD openProblemDialogId = IDD_OPEN_PROBLEMS;
inline constexpr int openProblemListId = IDC_OPEN_LIST;
inline constexpr WORD aboutDialogId = IDD_ABOUT;
inline constexpr WORD recordsDialogId = IDD_RECORDS;
inline constexpr int recordsGradesListId = IDC_RECORDS_GRADES;
inline constexpr int recordsFilesListId = IDC_RECORDS_FILES;

// Moves a dialog to the middle of its parent window (of the desktop when it has none), kept
// inside the work area, and shows it.
void centreDialog(HWND dialog);

// WM_COMMAND of a dialog that only informs: OK or Cancel (Escape) ends it with that id. TRUE when
// it ended the dialog.
INT_PTR endOnOkOrCancel(HWND dialog, WPARAM wParam);

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lists the puzzles of the current file; IDOK has stored the chosen line in currentProblemIndex.
// Its Clear button erases the current file's clear times at once (also when then cancelled).
INT_PTR CALLBACK selectProblemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lists the *.dat files beside the executable; IDOK has loaded the chosen file, made its record
// current and chosen its first uncleared puzzle. A file that fails to load leaves the store as it
// was, problemFileName included, is named with why in a message box, and the dialog stays open
// for another choice. Ends by itself with IDCANCEL when there is no file to list.
INT_PTR CALLBACK openProblemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The statistics per grade and the problem files' cleared counts, read afresh each time.
INT_PTR CALLBACK recordsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Start-up without a usable save or problem file: the Open-problem dialog with no owner. True
// when a file was chosen and loaded.
bool runStartupOpenProblemDialog(HINSTANCE instance, ProgressStore& store);

} // namespace korvani
