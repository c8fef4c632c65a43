// The three dialogs as the player meets them, under Wine: the real templates from the resource
// script, the real procedures, driven from inside their modal loops. The test program lies in a
// folder of its own, where the problem files of each case are written beside it.
#include "core/problem_file.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/store_snapshot.h"
#include "tests/support/utf8_wide.h"
#include "win/dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace korvani {
namespace {

using testing::findDialog;
using testing::listLines;
using testing::postButtonClick;
using testing::postDoubleClick;
using testing::runDialogScript;

// Three puzzles with one solution each (from the published top1465 set).
constexpr const char* puzzleCells[] = {
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........",
    "7.8...3.....2.1...5.........4.....263...8.......1...9..9.6....4....7.5...........",
    "7.8...3.....6.1...5.........4.....263...8.......1...9..9.2....4....7.5...........",
};

std::string executableDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.find_last_of("\\/") + 1);
}

void writeFile(const std::string& name, const std::string& content) {
    const std::string path = executableDirectory() + name;
    HANDLE file = CreateFileW(testing::wideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
}

// A problem file of the three puzzles with the given difficulty texts (which make its key).
void writeProblemFile(const std::string& name, const std::vector<std::string>& difficulties) {
    std::string content;
    for (std::size_t i = 0; i < difficulties.size(); ++i) {
        content += difficulties[i] + "/" + puzzleCells[i % 3] + "\n";
    }
    writeFile(name, content);
}

// Removes every file and folder that a case may have left beside the test program.
void removeProblemFiles() {
    const std::string directory = executableDirectory();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((directory + "*.da*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::pair<std::string, bool>> found;
    do {
        found.emplace_back(entry.cFileName,
                           (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    for (const auto& [name, isDirectory] : found) {
        const std::string path = directory + name;
        if (isDirectory) {
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    }
}

// A store as start-up leaves it: the save path beside the program, and no problem file yet.
struct TestStore {
    ProgressStore store;

    TestStore() {
        const std::string directory = executableDirectory();
        std::snprintf(store.savePath, sizeof store.savePath, "%skorvani-test.sav",
                      directory.c_str());
        store.dirPrefixLength = static_cast<std::int32_t>(directory.size());
        store.header.savedGameFlag = -1;
    }
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    void setName(const char* name) {
        std::memset(store.header.problemFileName, 0, sizeof store.header.problemFileName);
        std::memcpy(store.header.problemFileName, name, std::strlen(name));
    }
};

// A plain top-level window to own the dialogs, at a chosen place on the screen.
class OwnerWindow {
  public:
    OwnerWindow(int x, int y, int width, int height) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "korvani-dialog-test-owner";
        RegisterClassA(&windowClass); // a second registration fails harmlessly
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, x, y,
                                  width, height, nullptr, nullptr, windowClass.hInstance, nullptr);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

RECT windowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT workArea() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

INT_PTR showDialog(WORD resource, HWND owner, DLGPROC procedure, ProgressStore* store) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), owner, procedure,
                           reinterpret_cast<LPARAM>(store));
}

// ---------------------------------------------------------------------------------------------
// About dialog and centring

TEST(AboutDialog, ShowsTitleVersionAndIcon) {
    OwnerWindow owner(200, 150, 600, 500);
    std::string title;
    bool versionShown = false;
    HICON icon = nullptr;
    bool done = false;
    const INT_PTR result = runDialogScript(
        [&] { return showDialog(aboutDialogId, owner.handle(), aboutDialogProc, nullptr); }, {[&] {
            HWND dialog = findDialog(owner.handle());
            if (dialog == nullptr) return false;
            title = testing::windowText(dialog);
            versionShown = testing::hasStaticText(dialog, "korvani version 1.2");
            HWND iconControl = GetDlgItem(dialog, 103);
            if (iconControl == nullptr) {
                // The icon control may carry no id of its own: find it by its style.
                for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                     child = GetWindow(child, GW_HWNDNEXT)) {
                    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                        iconControl = child;
                }
            }
            if (iconControl != nullptr)
                icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
            postButtonClick(dialog, IDOK);
            return true;
        }},
        &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "バージョン情報");
    EXPECT_TRUE(versionShown);
    EXPECT_NE(icon, nullptr);
}

TEST(AboutDialog, CancelEndsWithCancel) {
    OwnerWindow owner(200, 150, 600, 500);
    const INT_PTR result = runDialogScript(
        [&] { return showDialog(aboutDialogId, owner.handle(), aboutDialogProc, nullptr); }, {[&] {
            HWND dialog = findDialog(owner.handle());
            if (dialog == nullptr) return false;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }});
    EXPECT_EQ(result, IDCANCEL);
}

// Where the About dialog lands over an owner at (x, y) of the given size, and its own size.
struct Placement {
    RECT dialog;
    RECT owner;
};

Placement aboutPlacement(int x, int y, int width, int height) {
    OwnerWindow owner(x, y, width, height);
    Placement placement = {};
    placement.owner = windowRect(owner.handle());
    runDialogScript(
        [&] { return showDialog(aboutDialogId, owner.handle(), aboutDialogProc, nullptr); }, {[&] {
            HWND dialog = findDialog(owner.handle());
            if (dialog == nullptr) return false;
            placement.dialog = windowRect(dialog);
            postButtonClick(dialog, IDOK);
            return true;
        }});
    return placement;
}

TEST(CentreDialog, MiddleOfTheOwner) {
    const Placement p = aboutPlacement(300, 200, 701, 501);
    const LONG width = p.dialog.right - p.dialog.left;
    const LONG height = p.dialog.bottom - p.dialog.top;
    ASSERT_GT(width, 0);
    EXPECT_EQ(p.dialog.left, (p.owner.left + p.owner.right - width) / 2);
    EXPECT_EQ(p.dialog.top, (p.owner.top + p.owner.bottom - height) / 2);
}

TEST(CentreDialog, KeptInsideTheWorkArea) {
    const RECT work = workArea();
    // An owner mostly beyond the top left corner: the dialog stops at the work area's edge.
    Placement p = aboutPlacement(work.left - 900, work.top - 700, 1000, 800);
    EXPECT_EQ(p.dialog.left, work.left);
    EXPECT_EQ(p.dialog.top, work.top);
    // Beyond the bottom right corner: the dialog ends at the far edges.
    p = aboutPlacement(work.right - 100, work.bottom - 100, 1000, 800);
    EXPECT_EQ(p.dialog.right, work.right);
    EXPECT_EQ(p.dialog.bottom, work.bottom);
}

// ---------------------------------------------------------------------------------------------
// Problem-selection dialog

// A store with 30 puzzles of known difficulties, the current file's record second in a table of
// two, and puzzle 4 current.
struct SelectionStore : TestStore {
    SelectionStore() {
        setName("easy.dat");
        store.problemCount = maxProblemsPerFile;
        for (int i = 0; i < maxProblemsPerFile; ++i) {
            store.problems[i].difficulty = static_cast<std::int8_t>(i + 1);
        }
        store.problems[1].difficulty = static_cast<std::int8_t>(200);
        store.records.resize(2);
        store.records[0].fileKey = 0x11111111;
        store.records[0].clearSeconds[0] = 42;
        store.records[1].fileKey = 0x22222222;
        store.records[1].clearSeconds[1] = 75;
        store.records[1].clearSeconds[2] = 3600;
        store.records[1].clearSeconds[29] = 3599;
        store.currentRecordIndex = 1;
        store.header.currentProblemIndex = 4;
    }
};

struct SelectionView {
    std::string title;
    std::string fileName;
    std::vector<std::string> lines;
    LRESULT selected = LB_ERR;
};

SelectionView viewSelection(HWND dialog) {
    SelectionView view;
    view.title = testing::windowText(dialog);
    view.fileName = testing::controlText(dialog, selectProblemTitleId);
    HWND list = GetDlgItem(dialog, selectProblemListId);
    view.lines = listLines(list);
    view.selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return view;
}

INT_PTR showSelection(SelectionStore& s, HWND owner, std::vector<testing::DialogStep> steps,
                      bool* done = nullptr) {
    return runDialogScript(
        [&] { return showDialog(selectProblemDialogId, owner, selectProblemDialogProc, &s.store); },
        std::move(steps), done);
}

// Shows the dialog over a main-window-sized owner and runs `act` on it once it is up.
INT_PTR withSelectionDialog(SelectionStore& s, const std::function<void(HWND)>& act) {
    OwnerWindow owner(100, 100, 522, 600);
    return showSelection(s, owner.handle(), {[&] {
                             HWND dialog = findDialog(owner.handle());
                             if (dialog == nullptr) return false;
                             act(dialog);
                             return true;
                         }});
}

// What the dialog shows at first; it is then cancelled.
SelectionView viewOfSelection(SelectionStore& s) {
    SelectionView view;
    const INT_PTR result = withSelectionDialog(s, [&](HWND dialog) {
        view = viewSelection(dialog);
        postButtonClick(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    return view;
}

TEST(SelectProblemDialog, ListsEveryPuzzleWithDifficultyAndClearTime) {
    SelectionStore s;
    const SelectionView view = viewOfSelection(s);
    EXPECT_EQ(view.title, "問題の選択");
    EXPECT_EQ(view.fileName, "easy");
    ASSERT_EQ(view.lines.size(), 30u);
    EXPECT_EQ(view.lines[0], "  1:\t難易度 1\tクリア時間 －");
    EXPECT_EQ(view.lines[1], "  2:\t難易度 -56\tクリア時間 01:15");
    EXPECT_EQ(view.lines[2], "  3:\t難易度 3\tクリア時間 59:59");
    EXPECT_EQ(view.lines[3], "  4:\t難易度 4\tクリア時間 －");
    EXPECT_EQ(view.lines[29], " 30:\t難易度 30\tクリア時間 59:59");
    const std::string notCleared = "－";
    for (int i = 3; i < 29; ++i) {
        EXPECT_EQ(view.lines[i].substr(view.lines[i].size() - notCleared.size()), notCleared)
            << "line " << i;
    }
    EXPECT_EQ(view.selected, 4);
    EXPECT_EQ(s.store.header.currentProblemIndex, 4);
}

TEST(SelectProblemDialog, ListsOnlyTheLoadedPuzzlesAndShowsAShortNameAsItIs) {
    SelectionStore s;
    s.store.problemCount = 3;
    s.store.header.currentProblemIndex = 2;
    s.setName("ab");
    const SelectionView view = viewOfSelection(s);
    ASSERT_EQ(view.lines.size(), 3u);
    EXPECT_EQ(view.selected, 2);
    EXPECT_EQ(view.fileName, "ab");
}

TEST(SelectProblemDialog, OkOrDoubleClickChoosesTheLineCancelKeepsThePuzzle) {
    struct Case {
        const char* what;
        int line;   // selected before the button, or double-clicked
        int button; // 0: a double click on the line
        INT_PTR result;
        int current; // currentProblemIndex afterwards
    };
    const Case cases[] = {
        {"OK", 17, IDOK, IDOK, 17},
        {"double click", 6, 0, IDOK, 6},
        {"Cancel", 9, IDCANCEL, IDCANCEL, 4},
        {"OK without a selection", -1, IDOK, IDCANCEL, 4},
    };
    for (const Case& c : cases) {
        SelectionStore s;
        const INT_PTR result = withSelectionDialog(s, [&](HWND dialog) {
            if (c.button == 0) {
                postDoubleClick(GetDlgItem(dialog, selectProblemListId), c.line);
                return;
            }
            SendDlgItemMessageA(dialog, selectProblemListId, LB_SETCURSEL,
                                static_cast<WPARAM>(c.line), 0);
            postButtonClick(dialog, c.button);
        });
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(s.store.header.currentProblemIndex, c.current) << c.what;
    }
}

// Clicks Clear and answers the question with `answer`; reports the question's caption and
// whether its text was the expected one.
std::vector<testing::DialogStep> clearSteps(HWND owner, int answer, std::string& caption,
                                            bool& questionShown) {
    return {
        [=] {
            HWND dialog = findDialog(owner);
            if (dialog == nullptr) return false;
            postButtonClick(dialog, selectProblemClearId);
            return true;
        },
        [=, &caption, &questionShown] {
            HWND dialog = findDialog(owner);
            HWND box = dialog == nullptr ? nullptr : findDialog(dialog);
            if (box == nullptr) return false;
            caption = testing::windowText(box);
            questionShown =
                testing::hasStaticText(box, "すべての記録を削除します。よろしいですか?");
            PostMessageA(box, WM_COMMAND, answer, 0);
            return true;
        },
        [=] {
            // The question has gone.
            HWND dialog = findDialog(owner);
            return dialog != nullptr && findDialog(dialog) == nullptr;
        },
    };
}

// Clicks Clear, answers the question with `answer`, then looks at the list and cancels.
struct ClearRun {
    SelectionStore s;
    std::string caption;
    bool questionShown = false;
    SelectionView view;
    bool done = false;
    INT_PTR result = 0;

    explicit ClearRun(int answer) {
        OwnerWindow owner(100, 100, 522, 600);
        auto steps = clearSteps(owner.handle(), answer, caption, questionShown);
        steps.push_back([&] {
            HWND dialog = findDialog(owner.handle());
            view = viewSelection(dialog);
            postButtonClick(dialog, IDCANCEL);
            return true;
        });
        result = showSelection(s, owner.handle(), std::move(steps), &done);
    }
};

TEST(SelectProblemDialog, ClearAskedAndRefusedKeepsTheTimes) {
    ClearRun run(IDCANCEL);
    EXPECT_TRUE(run.done);
    EXPECT_EQ(run.caption, "確認");
    EXPECT_TRUE(run.questionShown);
    EXPECT_EQ(run.s.store.records[1].clearSeconds[1], 75);
    EXPECT_EQ(run.s.store.records[1].clearSeconds[2], 3600);
    ASSERT_EQ(run.view.lines.size(), 30u);
    EXPECT_EQ(run.view.lines[1], "  2:\t難易度 -56\tクリア時間 01:15");
}

TEST(SelectProblemDialog, ClearErasesAtOnceEvenWhenThenCancelled) {
    ClearRun run(IDOK);
    const ProgressStore& store = run.s.store;
    EXPECT_TRUE(run.done);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(run.questionShown);
    // The current file's record: every time 0, the key kept.
    EXPECT_EQ(store.records[1].fileKey, 0x22222222u);
    for (int i = 0; i < maxProblemsPerFile; ++i) EXPECT_EQ(store.records[1].clearSeconds[i], 0);
    // Nothing else moved.
    EXPECT_EQ(store.records[0].fileKey, 0x11111111u);
    EXPECT_EQ(store.records[0].clearSeconds[0], 42);
    EXPECT_EQ(store.header.currentProblemIndex, 4);
    EXPECT_EQ(store.records.size(), 2u);
    // The list was filled again at once, with the current line selected.
    ASSERT_EQ(run.view.lines.size(), 30u);
    EXPECT_EQ(run.view.lines[1], "  2:\t難易度 -56\tクリア時間 －");
    EXPECT_EQ(run.view.lines[2], "  3:\t難易度 3\tクリア時間 －");
    EXPECT_EQ(run.view.selected, 4);
}

// ---------------------------------------------------------------------------------------------
// Open-problem dialog

class OpenProblemDialog : public ::testing::Test {
  protected:
    void SetUp() override { removeProblemFiles(); }
    void TearDown() override { removeProblemFiles(); }

    // Shows the dialog over `owner` and runs the steps; the dialog is found among the owner's.
    INT_PTR show(HWND owner, std::vector<testing::DialogStep> steps, bool* done = nullptr) {
        return runDialogScript(
            [&] { return showDialog(openProblemDialogId, owner, openProblemDialogProc, &t.store); },
            std::move(steps), done);
    }

    TestStore t;
};

struct OpenView {
    std::string title;
    std::vector<std::string> lines;
    std::string selectedLine;
};

OpenView viewOpen(HWND dialog) {
    OpenView view;
    view.title = testing::windowText(dialog);
    HWND list = GetDlgItem(dialog, openProblemListId);
    view.lines = listLines(list);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<std::size_t>(selected) < view.lines.size())
        view.selectedLine = view.lines[static_cast<std::size_t>(selected)];
    return view;
}

// What the dialog shows over a main-window-sized owner; it is then cancelled.
OpenView viewOfOpenDialog(TestStore& t) {
    OwnerWindow owner(100, 100, 522, 600);
    OpenView view;
    const INT_PTR result = runDialogScript(
        [&] {
            return showDialog(openProblemDialogId, owner.handle(), openProblemDialogProc, &t.store);
        },
        {[&] {
            HWND dialog = findDialog(owner.handle());
            if (dialog == nullptr) return false;
            view = viewOpen(dialog);
            postButtonClick(dialog, IDCANCEL);
            return true;
        }});
    EXPECT_EQ(result, IDCANCEL);
    return view;
}

// Selects the line with `text` and presses OK.
testing::DialogStep chooseWithOk(HWND owner, const std::string& text) {
    return [=] {
        HWND dialog = findDialog(owner);
        if (dialog == nullptr) return false;
        HWND list = GetDlgItem(dialog, openProblemListId);
        const std::wstring wideText = testing::wideFromUtf8(text);
        const LRESULT line = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(wideText.c_str()));
        EXPECT_NE(line, LB_ERR) << text;
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        postButtonClick(dialog, IDOK);
        return true;
    };
}

std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(OpenProblemDialog, ListsOnlyProblemFilesAndPreselectsTheCurrentOne) {
    writeProblemFile("easy.dat", {"1", "2", "3"});
    writeProblemFile("a.dat", {"1"});
    writeProblemFile("初級.dat", {"4"});
    writeProblemFile(std::string(59, 'n') + ".dat", {"5"});
    // Not listed: another case of the extension, a longer extension, a longer name, a folder.
    writeProblemFile("upper.DAT", {"1"});
    writeProblemFile("easy.data", {"1"});
    writeProblemFile("easy.dat.bak", {"1"});
    writeProblemFile(std::string(60, 'n') + ".dat", {"1"});
    ASSERT_TRUE(CreateDirectoryA((executableDirectory() + "x.dat").c_str(), nullptr));
    t.setName("easy.dat");

    const OpenView view = viewOfOpenDialog(t);
    EXPECT_EQ(view.title, "問題を開く");
    EXPECT_EQ(sorted(view.lines), sorted({"a", "easy", "初級", std::string(59, 'n')}));
    EXPECT_EQ(view.selectedLine, "easy");
    // Cancel loads nothing.
    EXPECT_EQ(t.store.problemCount, 0);
    EXPECT_EQ(t.store.records.size(), 0u);
    EXPECT_STREQ(t.store.header.problemFileName, "easy.dat");
}

TEST_F(OpenProblemDialog, FirstLineSelectedWhenTheCurrentFileIsNotListed) {
    writeProblemFile("easy.dat", {"1"});
    writeProblemFile("hard.dat", {"2"});
    t.setName("gone.dat");
    const OpenView view = viewOfOpenDialog(t);
    ASSERT_EQ(view.lines.size(), 2u);
    EXPECT_EQ(view.selectedLine, view.lines[0]);
}

TEST_F(OpenProblemDialog, ChoosingAFileLoadsItAndStartsItsFirstUnclearedPuzzle) {
    writeProblemFile("easy.dat", {"1", "2", "3"});
    writeProblemFile("hard.dat", {"7", "8", "9"});
    OwnerWindow owner(100, 100, 522, 600);

    // First choice: a new record, puzzle 0.
    t.store.header.currentProblemIndex = 2;
    ASSERT_EQ(show(owner.handle(), {chooseWithOk(owner.handle(), "hard")}), IDOK);
    char expectedName[64] = "hard.dat";
    EXPECT_EQ(std::memcmp(t.store.header.problemFileName, expectedName, 64), 0);
    EXPECT_EQ(t.store.problemCount, 3);
    EXPECT_EQ(t.store.problems[0].difficulty, 7);
    EXPECT_EQ(t.store.records.size(), 1u);
    EXPECT_EQ(t.store.currentRecordIndex, 0);
    EXPECT_EQ(t.store.header.currentProblemIndex, 0);

    // Another file, then back: hard.dat finds its record again, and with puzzles 0 and 1
    // cleared its first uncleared puzzle is 2.
    ASSERT_EQ(show(owner.handle(), {chooseWithOk(owner.handle(), "easy")}), IDOK);
    EXPECT_EQ(t.store.records.size(), 2u);
    EXPECT_EQ(t.store.currentRecordIndex, 1);
    t.store.records[0].clearSeconds[0] = 30;
    t.store.records[0].clearSeconds[1] = 40;
    OpenView view;
    ASSERT_EQ(show(owner.handle(), {[&] {
                                        HWND dialog = findDialog(owner.handle());
                                        if (dialog == nullptr) return false;
                                        view = viewOpen(dialog);
                                        return true;
                                    },
                                    chooseWithOk(owner.handle(), "hard")}),
              IDOK);
    EXPECT_EQ(view.selectedLine, "easy");
    EXPECT_EQ(t.store.records.size(), 2u);
    EXPECT_EQ(t.store.currentRecordIndex, 0);
    EXPECT_EQ(t.store.header.currentProblemIndex, 2);

    // Every puzzle cleared: the first puzzle.
    t.store.records[0].clearSeconds[2] = 50;
    ASSERT_EQ(show(owner.handle(), {chooseWithOk(owner.handle(), "hard")}), IDOK);
    EXPECT_EQ(t.store.header.currentProblemIndex, 0);
}

TEST_F(OpenProblemDialog, DoubleClickChoosesTheFileAndJapaneseNamesLoad) {
    writeProblemFile("初級.dat", {"3", "4"});
    OwnerWindow owner(100, 100, 522, 600);
    const INT_PTR result = show(owner.handle(), {[&] {
                                    HWND dialog = findDialog(owner.handle());
                                    if (dialog == nullptr) return false;
                                    postDoubleClick(GetDlgItem(dialog, openProblemListId), 0);
                                    return true;
                                }});
    EXPECT_EQ(result, IDOK);
    // The save file keeps the name in code page 932: 初級 is 8F 89 8B 89.
    EXPECT_STREQ(t.store.header.problemFileName, "\x8F\x89\x8B\x89.dat");
    EXPECT_EQ(t.store.problemCount, 2);
}

// A store playing puzzle 1 of easy.dat, and a file whose first line has two completions.
void prepareFailingChoice(TestStore& t, HWND owner) {
    writeProblemFile("easy.dat", {"1", "2", "3"});
    writeFile("broken.dat", std::string("5/") + std::string(81, '.') + "\n");
    ASSERT_EQ(
        runDialogScript(
            [&] { return showDialog(openProblemDialogId, owner, openProblemDialogProc, &t.store); },
            {chooseWithOk(owner, "easy")}),
        IDOK);
    t.store.header.currentProblemIndex = 1;
    t.store.header.savedGameFlag = 1;
}

// Answers the message box over the Open-problem dialog of `owner`, noting what it says.
testing::DialogStep answerNotice(HWND owner, std::vector<std::string>& texts) {
    return [=, &texts] {
        HWND dialog = findDialog(owner);
        HWND box = dialog != nullptr ? findDialog(dialog) : nullptr;
        if (box == nullptr) return false;
        texts.push_back(testing::windowText(box) + "|" +
                        (testing::hasStaticText(
                             box, "broken.dat を読み込めませんでした: 正しい問題の行がありません")
                             ? "broken"
                         : testing::hasStaticText(
                               box, "empty.dat を読み込めませんでした: 正しい問題の行がありません")
                             ? "empty"
                             : "?"));
        postButtonClick(box, IDOK);
        return true;
    };
}

TEST_F(OpenProblemDialog, FileThatFailsFromOkIsNamedAndTheDialogStaysOpen) {
    OwnerWindow owner(100, 100, 522, 600);
    prepareFailingChoice(t, owner.handle());
    writeFile("empty.dat", "");
    const test::StoreSnapshot before(t.store);
    std::vector<std::string> notices;
    bool stillOpen = false;
    const INT_PTR result =
        show(owner.handle(),
             {chooseWithOk(owner.handle(), "broken"), answerNotice(owner.handle(), notices),
              chooseWithOk(owner.handle(), "empty"), answerNotice(owner.handle(), notices), [&] {
                  HWND dialog = findDialog(owner.handle());
                  stillOpen = dialog != nullptr;
                  if (dialog != nullptr) postButtonClick(dialog, IDCANCEL);
                  return true;
              }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(stillOpen);
    before.expectSame(t.store);
    EXPECT_STREQ(t.store.header.problemFileName, "easy.dat");
    EXPECT_EQ(notices, (std::vector<std::string>{"確認|broken", "確認|empty"}));
}

TEST_F(OpenProblemDialog, FileThatFailsFromDoubleClickKeepsTheDialogOpen) {
    OwnerWindow owner(100, 100, 522, 600);
    prepareFailingChoice(t, owner.handle());
    const test::StoreSnapshot before(t.store);
    bool stillOpen = false;
    bool done = false;
    auto lineOf = [](HWND dialog, const char* text) {
        return static_cast<int>(SendDlgItemMessageA(dialog, openProblemListId, LB_FINDSTRINGEXACT,
                                                    static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(text)));
    };
    std::vector<std::string> notices;
    const INT_PTR result = show(
        owner.handle(),
        {[&] {
             HWND dialog = findDialog(owner.handle());
             if (dialog == nullptr) return false;
             postDoubleClick(GetDlgItem(dialog, openProblemListId), lineOf(dialog, "broken"));
             return true;
         },
         answerNotice(owner.handle(), notices),
         [&] {
             HWND dialog = findDialog(owner.handle());
             stillOpen = dialog != nullptr;
             before.expectSame(t.store);
             if (dialog != nullptr)
                 postDoubleClick(GetDlgItem(dialog, openProblemListId), lineOf(dialog, "easy"));
             return true;
         }},
        &done);
    EXPECT_TRUE(done);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(notices, std::vector<std::string>{"確認|broken"});
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(t.store.header.problemFileName, "easy.dat");
    EXPECT_EQ(t.store.header.currentProblemIndex, 0);
}

TEST_F(OpenProblemDialog, NothingToListEndsAtOnce) {
    OwnerWindow owner(100, 100, 522, 600);
    EXPECT_EQ(show(owner.handle(), {}), IDCANCEL);
    writeProblemFile("upper.DAT", {"1"});
    writeProblemFile("easy.data", {"1"});
    EXPECT_EQ(show(owner.handle(), {}), IDCANCEL);
    EXPECT_EQ(t.store.problemCount, 0);
}

TEST_F(OpenProblemDialog, StartUpDialogHasNoOwnerAndSitsMidDesktop) {
    writeProblemFile("easy.dat", {"1", "2", "3"});
    HWND owner = reinterpret_cast<HWND>(1);
    RECT placed = {};
    const INT_PTR result = runDialogScript(
        [&] {
            return runStartupOpenProblemDialog(GetModuleHandleA(nullptr), t.store) ? IDOK
                                                                                   : IDCANCEL;
        },
        {[&] {
             HWND dialog = findDialog(nullptr);
             if (dialog == nullptr) return false;
             owner = GetWindow(dialog, GW_OWNER);
             placed = windowRect(dialog);
             return true;
         },
         chooseWithOk(nullptr, "easy")});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(owner, nullptr);
    RECT desktop = windowRect(GetDesktopWindow());
    const LONG width = placed.right - placed.left;
    const LONG height = placed.bottom - placed.top;
    EXPECT_EQ(placed.left, (desktop.left + desktop.right - width) / 2);
    EXPECT_EQ(placed.top, (desktop.top + desktop.bottom - height) / 2);
    EXPECT_EQ(t.store.problemCount, 3);
    EXPECT_EQ(t.store.currentRecordIndex, 0);
}

TEST_F(OpenProblemDialog, StartUpWithoutFilesFails) {
    EXPECT_FALSE(runStartupOpenProblemDialog(GetModuleHandleA(nullptr), t.store));
}

} // namespace
} // namespace korvani
