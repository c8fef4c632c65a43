// Identifiers of korvani's resources and dialog controls, shared by the resource script and
// the Windows shell. Plain macros, so the resource compiler can read this file too.
#pragma once

// Main window
#define IDS_CLASS_NAME 101   // "KORVANI"
#define IDS_WINDOW_TITLE 102 // "korvani"
#define IDR_MAIN_MENU 101
#define IDI_KORVANI 103
#define IDM_OPEN_PROBLEMS 104
#define IDM_SELECT_PROBLEM 105 // the first button of the button bar, and its menu item
#define IDM_ABOUT 106
#define IDM_EXIT 107
#define IDM_RESTART 125 // the second button's action, asked first as the button does

// The 表示 menu
#define IDM_DARK_THEME 140 // 141 ... 149 are left for the other 表示 items

// Bringing puzzles in and copying one out (Ctrl+V and Ctrl+C in the accelerator table below)
#define IDM_PASTE_PUZZLES 150
#define IDM_IMPORT_FILE 151
#define IDM_COPY_PUZZLE 152

// The 編集 menu and its accelerators (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z, H), which also hold the
// game menu's Ctrl+V, Ctrl+C and P
#define IDR_EDIT_ACCELERATORS 101
#define IDM_UNDO 120
#define IDM_REDO 121
#define IDM_FILL_NOTES 122
#define IDM_CLEAR_NOTES 123
#define IDM_HINT 124
#define IDM_BACK_TO_LAST_RIGHT 126

// Pause (key P) and the records dialog in ゲーム, the mistake display in 表示
#define IDM_PAUSE 130
#define IDM_RECORDS 131
#define IDM_SHOW_MISTAKES 141

// Bitmaps: the button strip and the clock font of the light palette at 100 %; every other
// scale and palette draws them at run time.
#define IDB_BUTTON_STRIP 113
#define IDB_TIMER_FONT 115

// Problem-selection dialog
#define IDD_SELECT_PROBLEM 108
#define IDC_SELECT_FILE_NAME 109
#define IDC_SELECT_LIST 110
#define IDC_SELECT_CLEAR 115

// Open-problem dialog
#define IDD_OPEN_PROBLEMS 111
#define IDC_OPEN_LIST 112

// About dialog
#define IDD_ABOUT 116

// Records dialog: the statistics per grade and the problem files' cleared counts
#define IDD_RECORDS 170
#define IDC_RECORDS_GRADES 171
#define IDC_RECORDS_FILES 172

// Progress dialog of long work (importing, making puzzles)
#define IDD_PROGRESS 130
#define IDC_PROGRESS_COUNT 131
#define IDC_PROGRESS_BAR 132

// The command 新しい問題を作る and its dialog
#define IDM_MAKE_PUZZLES 160
#define IDD_MAKE_PUZZLES 161
#define IDC_MAKE_GRADE 162
#define IDC_MAKE_COUNT 163
#define IDC_MAKE_COUNT_SPIN 164
#define IDC_MAKE_SYMMETRY 165
