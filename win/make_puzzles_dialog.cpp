// The command 新しい問題を作る: its dialog (grade, number of puzzles, symmetry), the puzzles made
// on worker threads under the progress dialog, and the new file written beside the executable
// and opened at its first puzzle. Nothing of the game changes unless the file was written.
#include "win/make_puzzles_dialog.h"

#include "game/game_state.h"
#include "generate/puzzle_batch.h"
#include "hint/hint_text.h"
#include "progress/made_problem_file.h"
#include "progress/problem_folder.h"
#include "text/code_pages.h"
#include "win/app_state.h"
#include "win/dialogs.h"
#include "win/problem_switch.h"
#include "win/progress_dialog.h"
#include "win/resources/resource.h"
#include "win/wide_text.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace korvani {

namespace {

struct MakeChoice {
    int grade = lowestGrade;
    int count = 30;
    bool symmetric = true;
};

constexpr int maxMadeCount = 30;
constexpr char confirmCaption[] = "確認";

// "3: ロックされた候補": the grade and the techniques that give it, as the bundled files'
// README lists them.
void gradeText(int grade, char (&text)[256]) {
    int length = std::snprintf(text, sizeof text, "%d: ", grade);
    for (int t = 0; t < techniqueCount; ++t) {
        if (techniqueDifficulty(Technique(t)) != grade) continue;
        const char* separator = text[length - 2] == ':' ? "" : "、";
        length += std::snprintf(text + length, sizeof text - length, "%s%s", separator,
                                techniqueJapaneseName(Technique(t)));
    }
}

INT_PTR CALLBACK makePuzzlesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        centreDialog(dialog);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const HWND grades = GetDlgItem(dialog, IDC_MAKE_GRADE);
        for (int grade = lowestGrade; grade <= highestGrade; ++grade) {
            char text[256];
            wchar_t wide[256];
            gradeText(grade, text);
            widenText(codePageUtf8, text, wide, 256);
            SendMessageW(grades, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
        }
        SendMessageW(grades, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageW(dialog, IDC_MAKE_COUNT_SPIN, UDM_SETRANGE32, 1, maxMadeCount);
        SendDlgItemMessageW(dialog, IDC_MAKE_COUNT_SPIN, UDM_SETPOS32, 0, maxMadeCount);
        CheckDlgButton(dialog, IDC_MAKE_SYMMETRY, BST_CHECKED);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(static_cast<DWORD_PTR>(wParam));
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        if (id != IDOK) return FALSE;
        BOOL number = FALSE;
        const UINT count = GetDlgItemInt(dialog, IDC_MAKE_COUNT, &number, FALSE);
        if (!number || count < 1 || count > UINT(maxMadeCount)) {
            showMessageBox(dialog, "問題数は 1 から 30 までです。", confirmCaption, MB_OK);
            SetFocus(GetDlgItem(dialog, IDC_MAKE_COUNT));
            return TRUE;
        }
        auto* choice = reinterpret_cast<MakeChoice*>(GetWindowLongPtrW(dialog, DWLP_USER));
        choice->grade =
            lowestGrade + int(SendDlgItemMessageW(dialog, IDC_MAKE_GRADE, CB_GETCURSEL, 0, 0));
        choice->count = int(count);
        choice->symmetric = IsDlgButtonChecked(dialog, IDC_MAKE_SYMMETRY) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void makeShare(void* context, int, int, BackgroundWork& work) {
    workOnBatch(*static_cast<PuzzleBatch*>(context), work.cancelled, work.done);
}

// A different stream every time: the clock in 100 ns steps and the milliseconds since start-up.
std::uint64_t seedFromClock() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t time = (std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return time ^ (std::uint64_t(GetTickCount64()) << 40);
}

MadeAt localMoment() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace

void runMakePuzzlesCommand(GameState& game, HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    MakeChoice choice;
    if (DialogBoxParamW(appInstance, MAKEINTRESOURCEW(IDD_MAKE_PUZZLES), owner,
                        makePuzzlesDialogProc, reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return;

    PuzzleBatch batch({seedFromClock(), choice.grade, choice.symmetric}, choice.count);
    BackgroundWork work;
    work.total = choice.count;
    const bool finished = runWithProgress(owner, "新しい問題を作る", work, makeShare, &batch);
    const std::vector<GeneratedPuzzle> puzzles = madePuzzles(batch);
    if (puzzles.empty()) return;
    if (!finished) {
        char text[128];
        std::snprintf(text, sizeof text, "中止しました。できた %d 問で問題ファイルを作りますか?",
                      int(puzzles.size()));
        if (showMessageBox(owner, text, confirmCaption, MB_YESNO) != IDYES) return;
    }

    std::vector<NewProblem> problems;
    for (const GeneratedPuzzle& p : puzzles) problems.push_back({p.givens, p.grade.difficulty});
    ProblemFolder folder;
    folder.scan(game.progress);
    std::vector<std::uint32_t> taken = folder.takenKeys(game.progress);
    WrittenProblemFile written;
    if (writeMadeProblemFile(game.progress, choice.grade, localMoment(), problems.data(),
                             int(problems.size()), taken,
                             written) != NewProblemFileResult::written) {
        showMessageBox(owner, "問題ファイルを書き込めませんでした。", confirmCaption, MB_OK);
        return;
    }
    if (!switchToProblemFile(game, written.storedName, 0))
        showMessageBox(owner, "作成した問題ファイルを開けませんでした。", confirmCaption, MB_OK);
}

} // namespace korvani
