// The two ends of a run under Wine: loadProgress with this executable's real path and a
// problem file beside it, the save on exit through MoveFileExA, and the message box that tells
// the player when the save file cannot be written.
#include "files/atomic_file.h"
#include "progress/progress_records.h"
#include "progress/save_file.h"
#include "tests/game/game_test_support.h"
#include "tests/progress/save_test_support.h"
#include "tests/support/message_box_answerer.h"
#include "win/app_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace korvani {
namespace {

using testing::Bytes;
using testing::MessageBoxAnswerer;
using testing::recordWithKey;
using testing::saveBytes;

constexpr char confirm[] = "確認";
constexpr char cannotSave[] = "セーブファイルを書き込めませんでした。";
constexpr char problemFile[] = "korvani-progress-test.dat";

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A problem file line: the difficulty text, '/', the 81 cells with '.' for empty ones.
std::string problemLine(int k) {
    const Problem problem = testing::relabelledProblem(k);
    std::string line = std::to_string(k) + "/";
    for (std::uint8_t given : problem.givens)
        line += given == 0 ? '.' : static_cast<char>('0' + given);
    return line + "\r\n";
}

// Files beside this executable: its save file (the exe's path with "sav" for its last three
// characters) and a problem file of three puzzles.
class BesideExecutable : public ::testing::Test {
  protected:
    void SetUp() override {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        ASSERT_GT(length, 3u);
        ASSERT_LT(length, sizeof path);
        savePath = std::string(path, length - 3) + "sav";
        const std::string exe(path, length);
        folder = exe.substr(0, exe.find_last_of("\\/") + 1);
        removeFiles();
        std::ofstream dat(folder + problemFile, std::ios::binary);
        for (int k = 0; k < 3; ++k) dat << problemLine(k);
        window = CreateWindowExA(0, "STATIC", "korvani progress test", WS_OVERLAPPEDWINDOW, 0, 0,
                                 540, 620, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override {
        apps.clear();
        if (window != nullptr) DestroyWindow(window);
        removeFiles();
    }

    void removeFiles() {
        DeleteFileA(savePath.c_str());
        DeleteFileA((savePath + ".tmp").c_str());
        RemoveDirectoryA((savePath + ".tmp").c_str());
        DeleteFileA((savePath + "\\inside").c_str());
        RemoveDirectoryA(savePath.c_str());
        DeleteFileA((folder + problemFile).c_str());
    }

    GameState& newGame() {
        apps.push_back(std::make_unique<AppState>());
        return apps.back()->game;
    }

    AppState& appOf(GameState& game) {
        return **std::find_if(apps.begin(), apps.end(),
                              [&](const auto& app) { return &app->game == &game; });
    }

    // Ends the run as WM_DESTROY does, with the main window set.
    void exitGame(GameState& game) {
        AppState& app = appOf(game);
        app.view.mainWindow = window;
        endRun(app);
        apps.erase(std::find_if(apps.begin(), apps.end(),
                                [&](const auto& held) { return held.get() == &app; }));
    }

    // The key of the problem file, as a first start with an empty record table finds it.
    std::uint32_t problemFileKey() {
        testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {}));
        GameState& game = newGame();
        EXPECT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
        EXPECT_EQ(game.progress.records.size(), 1u);
        return game.progress.records[0].fileKey;
    }

    std::string savePath;
    std::string folder;
    HWND window = nullptr;
    std::vector<std::unique_ptr<AppState>> apps;
};

TEST_F(BesideExecutable, SavePathAndPrefixComeFromThisExecutable) {
    MessageBoxAnswerer answerer(IDCANCEL);
    GameState& game = newGame();
    // No save file: the Open-problem dialog comes first; cancelled, start-up fails.
    EXPECT_FALSE(loadProgress(game, GetModuleHandleA(nullptr)));
    EXPECT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(std::string(game.progress.savePath), savePath);
    EXPECT_EQ(std::string(game.progress.savePath, game.progress.dirPrefixLength), folder);
    EXPECT_EQ(game.phase, PlayPhase::NotStarted);
}

TEST_F(BesideExecutable, FileChosenInTheStartupDialogBecomesCurrent) {
    // The save file names a problem file that is gone; the dialog, with no owner, lists the one
    // problem file beside this executable, and OK loads it.
    MessageBoxAnswerer answerer(IDOK);
    ProgressRecord cleared = recordWithKey(1);
    cleared.clearSeconds[0] = 5;
    testing::writeBytes(savePath, saveBytes("gone.dat", 4, 1, 0, {}, {cleared, recordWithKey(2)}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].owner, nullptr);
    const ProgressStore& store = game.progress;
    EXPECT_STREQ(store.header.problemFileName, problemFile);
    EXPECT_EQ(store.problemCount, 3);
    // The records read are kept, and the chosen file's record is added after them.
    ASSERT_EQ(store.records.size(), 3u);
    EXPECT_EQ(store.records[0].clearSeconds[0], 5);
    EXPECT_EQ(store.records[1].fileKey, 2u);
    EXPECT_EQ(store.currentRecordIndex, 2);
    EXPECT_EQ(store.header.savedGameFlag, -1);
    EXPECT_EQ(store.header.currentProblemIndex, 0);
    EXPECT_EQ(game.currentProblem, &game.progress.problems[0]);
    EXPECT_EQ(game.phase, PlayPhase::NotStarted);
    EXPECT_EQ(game.userGrid, CellGrid{});
}

TEST_F(BesideExecutable, CancelledStartupDialogFailsStartUp) {
    MessageBoxAnswerer answerer(IDCANCEL);
    testing::writeBytes(savePath, saveBytes("gone.dat", 0, 1, 0, {}, {}));
    GameState& game = newGame();
    EXPECT_FALSE(loadProgress(game, GetModuleHandleA(nullptr)));
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].owner, nullptr);
}

TEST_F(BesideExecutable, GetModuleFileNameAReportsACutPathByFillingTheBuffer) {
    // The rule that detects a path longer than the 512-byte buffer relies on this.
    char full[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, full, sizeof full);
    char cut[16];
    ASSERT_GT(length, sizeof cut);
    EXPECT_EQ(GetModuleFileNameA(nullptr, cut, sizeof cut), sizeof cut);
    ProgressStore store;
    EXPECT_TRUE(deriveSavePath(store, full, length));
}

TEST_F(BesideExecutable, HeaderOnlySaveFileAddsTheRecordAndResumesNothing) {
    CellGrid grid{};
    grid[2] = 1;
    testing::writeBytes(savePath, saveBytes(problemFile, 2, 1, 130, grid, {}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    EXPECT_EQ(game.progress.problemCount, 3);
    EXPECT_EQ(game.progress.records.size(), 1u);
    EXPECT_EQ(game.progress.currentRecordIndex, 0);
    EXPECT_EQ(game.progress.header.savedGameFlag, -1);
    EXPECT_EQ(game.phase, PlayPhase::NotStarted);
    EXPECT_EQ(game.progress.header.currentProblemIndex, 2);
    EXPECT_EQ(game.currentProblem, &game.progress.problems[2]);
    EXPECT_EQ(game.userGrid, CellGrid{});
}

TEST_F(BesideExecutable, StoredGameResumesWithItsDigitsAndClock) {
    const std::uint32_t key = problemFileKey();
    const Problem puzzle1 = testing::relabelledProblem(1);
    CellGrid grid{};
    for (int cell = 0; cell < 81; ++cell) {
        if (puzzle1.givens[cell] == 0 && cell % 3 == 0) grid[cell] = puzzle1.solution[cell];
    }
    ProgressRecord other = recordWithKey(key + 1);
    ProgressRecord mine = recordWithKey(key);
    mine.clearSeconds[0] = 75;
    testing::writeBytes(savePath, saveBytes(problemFile, 1, 1, 130, grid, {other, mine}));

    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    EXPECT_EQ(game.phase, PlayPhase::InPlay);
    EXPECT_EQ(game.elapsedSeconds, 130);
    EXPECT_EQ(game.userGrid, grid);
    EXPECT_EQ(game.currentProblem, &game.progress.problems[1]);
    EXPECT_EQ(game.currentProblem->givens, puzzle1.givens);
    EXPECT_EQ(game.selectedDigit, -1);
    EXPECT_EQ(game.progress.currentRecordIndex, 1);
    EXPECT_EQ(game.progress.records.size(), 2u);
}

TEST_F(BesideExecutable, ChangedKeyGetsAFreshRecordAndDropsTheStoredGame) {
    const std::uint32_t key = problemFileKey();
    ProgressRecord old = recordWithKey(key ^ 0x5A5A5A5Au);
    old.clearSeconds[1] = 99;
    CellGrid grid{};
    grid[2] = 4;
    testing::writeBytes(savePath, saveBytes(problemFile, 1, 1, 500, grid, {old}));

    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    EXPECT_EQ(game.phase, PlayPhase::NotStarted);
    EXPECT_EQ(game.progress.header.currentProblemIndex, 1); // the same index, afresh
    EXPECT_EQ(game.userGrid, CellGrid{});
    ASSERT_EQ(game.progress.records.size(), 2u);
    EXPECT_EQ(game.progress.currentRecordIndex, 1);
    EXPECT_EQ(game.progress.records[0].clearSeconds[1], 99); // the old record stays
    EXPECT_EQ(game.progress.records[1].fileKey, key);
}

TEST_F(BesideExecutable, DamagedStoredGameStartsThePuzzleAfresh) {
    const std::uint32_t key = problemFileKey();
    CellGrid grid{};
    grid[50] = 12;
    testing::writeBytes(savePath, saveBytes(problemFile, 2, 1, 130, grid, {recordWithKey(key)}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    EXPECT_EQ(game.phase, PlayPhase::NotStarted);
    EXPECT_EQ(game.progress.header.currentProblemIndex, 2);
    EXPECT_EQ(game.userGrid, CellGrid{});

    testing::writeBytes(savePath, saveBytes(problemFile, 3, 1, 130, {}, {recordWithKey(key)}));
    GameState& outside = newGame();
    ASSERT_TRUE(loadProgress(outside, GetModuleHandleA(nullptr)));
    EXPECT_EQ(outside.phase, PlayPhase::NotStarted);
    EXPECT_EQ(outside.progress.header.currentProblemIndex, 0);
    EXPECT_EQ(outside.currentProblem, &outside.progress.problems[0]);
}

TEST_F(BesideExecutable, MissingProblemFileKeepsTheRecordsForTheDialog) {
    MessageBoxAnswerer answerer(IDCANCEL);
    testing::writeBytes(savePath,
                        saveBytes("gone.dat", 0, 1, 0, {}, {recordWithKey(1), recordWithKey(2)}));
    GameState& game = newGame();
    EXPECT_FALSE(loadProgress(game, GetModuleHandleA(nullptr)));
    ASSERT_EQ(game.progress.records.size(), 2u);
    EXPECT_EQ(game.progress.records[1].fileKey, 2u);
}

TEST_F(BesideExecutable, ExitDuringPlayAndAfterSolvingAreResumedAsTheyWere) {
    MessageBoxAnswerer answerer;
    const std::uint32_t key = problemFileKey();
    testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {recordWithKey(key)}));

    // First run: puzzle 0 is solved in 75 seconds, puzzle 1 is played for a while.
    GameState& first = newGame();
    ASSERT_TRUE(loadProgress(first, GetModuleHandleA(nullptr)));
    WindowView& view = appOf(first).view;
    view.mainWindow = window;
    // The geometry of the 522 x 554 layout; with no back buffer, layout keeps it.
    std::copy(std::begin(testing::layoutColX), std::end(testing::layoutColX), view.renderer.colX);
    std::copy(std::begin(testing::layoutRowY), std::end(testing::layoutRowY), view.renderer.rowY);
    view.renderer.buttonBarX = testing::layoutButtonBarX;
    restart(first);
    int last = -1;
    for (int cell = 0; cell < 81; ++cell) {
        if (first.currentProblem->givens[cell] != 0) continue;
        first.userGrid[cell] = first.currentProblem->solution[cell];
        last = cell;
    }
    first.userGrid[last] = 0;
    first.elapsedSeconds = 75;
    first.selectedDigit = static_cast<std::int8_t>(first.currentProblem->solution[last]);
    onLeftButtonDown(first, testing::layoutColX[last % 9] + 5, testing::layoutRowY[last / 9] + 5);
    ASSERT_EQ(first.phase, PlayPhase::Cleared);
    onLeftButtonDown(first, 300, 300); // on to puzzle 1
    ASSERT_EQ(first.progress.header.currentProblemIndex, 1);
    first.userGrid[5] = first.currentProblem->givens[5] == 0 ? 7 : 0;
    const CellGrid inPlay = first.userGrid;
    first.elapsedSeconds = 321;
    exitGame(first);
    EXPECT_TRUE(answerer.shown().empty());
    EXPECT_FALSE(exists(savePath + ".tmp"));

    // Second run: the same digits and clock on puzzle 1, nothing selected.
    GameState& second = newGame();
    ASSERT_TRUE(loadProgress(second, GetModuleHandleA(nullptr)));
    EXPECT_EQ(second.phase, PlayPhase::InPlay);
    EXPECT_EQ(second.progress.header.currentProblemIndex, 1);
    EXPECT_EQ(second.userGrid, inPlay);
    EXPECT_EQ(second.elapsedSeconds, 321);
    EXPECT_EQ(second.selectedDigit, -1);
    EXPECT_EQ(second.progress.records[0].clearSeconds[0], 75);

    // Quit right after solving puzzle 1: the next start moves on to puzzle 2.
    second.phase = PlayPhase::Cleared;
    second.progress.header.currentProblemIndex = 1;
    recordClearTime(second.progress, 222);
    exitGame(second);
    const Bytes bytes = testing::readBytes(savePath);
    ASSERT_EQ(bytes.size(), 164u + 64);
    EXPECT_EQ(bytes[72], 0xFF); // savedGameFlag -1
    EXPECT_EQ(bytes[164 + 4 + 2], 222 & 0xFF);

    GameState& third = newGame();
    ASSERT_TRUE(loadProgress(third, GetModuleHandleA(nullptr)));
    EXPECT_EQ(third.phase, PlayPhase::NotStarted);
    EXPECT_EQ(third.progress.header.currentProblemIndex, 2);
}

TEST_F(BesideExecutable, SaveReplacesTheOldFileWithExactlyTheFormat) {
    const std::uint32_t key = problemFileKey();
    testing::writeBytes(savePath, Bytes(4000, 0xAB)); // a longer old file
    GameState& game = newGame();
    std::strcpy(game.progress.savePath, savePath.c_str());
    std::strcpy(game.progress.header.problemFileName, "easy.dat");
    game.progress.header.currentProblemIndex = 3;
    game.progress.records.resize(1);
    game.progress.records[0].fileKey = key;
    game.progress.records[0].clearSeconds[0] = 75;
    game.progress.currentRecordIndex = 0;
    game.phase = PlayPhase::InPlay;
    game.elapsedSeconds = 130;
    game.userGrid[9] = 3;
    ASSERT_TRUE(saveProgress(game));
    EXPECT_EQ(testing::readBytes(savePath),
              saveBytes("easy.dat", 3, 1, 130, game.userGrid, {game.progress.records[0]}));
    EXPECT_FALSE(exists(savePath + ".tmp"));
    EXPECT_TRUE(writeFileAtomically(savePath.c_str(), "x", 1));
    EXPECT_EQ(testing::readBytes(savePath), Bytes{'x'});
}

TEST_F(BesideExecutable, UnwritableSaveFileIsToldAndTheOldFileStays) {
    MessageBoxAnswerer answerer;
    testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    // The temporary file cannot be made: a folder of its name stands in the way.
    ASSERT_TRUE(CreateDirectoryA((savePath + ".tmp").c_str(), nullptr));
    const Bytes before = testing::readBytes(savePath);
    EXPECT_FALSE(saveProgress(game));
    EXPECT_TRUE(answerer.shown().empty()); // saveProgress itself only reports

    exitGame(game);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].caption, confirm);
    EXPECT_EQ(answerer.shown()[0].text, cannotSave);
    EXPECT_EQ(answerer.shown()[0].owner, window);
    EXPECT_FALSE(answerer.shown()[0].hasCancel);
    EXPECT_EQ(testing::readBytes(savePath), before);
}

TEST_F(BesideExecutable, SaveThatCannotReplaceTheOldOneIsTold) {
    MessageBoxAnswerer answerer;
    testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    // A folder now holds the save file's name, with a file in it: MoveFileExA cannot replace it.
    DeleteFileA(savePath.c_str());
    ASSERT_TRUE(CreateDirectoryA(savePath.c_str(), nullptr));
    testing::writeBytes(savePath + "\\inside", Bytes{1});
    exitGame(game);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].text, cannotSave);
    EXPECT_FALSE(exists(savePath + ".tmp"));
}

#ifdef KORVANI_READONLY_FOLDER
TEST_F(BesideExecutable, ReadOnlyFolderIsTold) {
    // Prepared by the test run: a folder holding old.sav that nobody may write into.
    const std::string readOnly = KORVANI_READONLY_FOLDER;
    const std::string probe = readOnly + "\\probe";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileA(probe.c_str());
        GTEST_SKIP() << "the folder is writable here";
    }
    if (GetFileAttributesA(readOnly.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the read-only folder was not prepared";
    }
    MessageBoxAnswerer answerer;
    testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {}));
    GameState& game = newGame();
    ASSERT_TRUE(loadProgress(game, GetModuleHandleA(nullptr)));
    const std::string oldSave = readOnly + "\\old.sav";
    const Bytes before = testing::readBytes(oldSave);
    std::strcpy(game.progress.savePath, oldSave.c_str());
    exitGame(game);
    ASSERT_EQ(answerer.shown().size(), 1u);
    EXPECT_EQ(answerer.shown()[0].caption, confirm);
    EXPECT_EQ(answerer.shown()[0].text, cannotSave);
    EXPECT_EQ(answerer.shown()[0].owner, window);
    EXPECT_EQ(testing::readBytes(oldSave), before);
}
#endif

TEST_F(BesideExecutable, NoWindowMeansNothingIsWritten) {
    MessageBoxAnswerer answerer;
    testing::writeBytes(savePath, saveBytes(problemFile, 0, -1, 0, {}, {}));
    const Bytes before = testing::readBytes(savePath);
    newGame();
    AppState& app = *apps.back();
    ASSERT_TRUE(loadProgress(app.game, GetModuleHandleA(nullptr)));
    endRun(app); // start-up ended before the window existed
    apps.clear();
    EXPECT_EQ(testing::readBytes(savePath), before);
    EXPECT_TRUE(answerer.shown().empty());
}

} // namespace
} // namespace korvani
