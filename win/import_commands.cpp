// The import commands on the window: the clipboard, the file-open dialog and dropped files in,
// the current puzzle's line out.
#include "win/import_commands.h"

#include "import/copy_text.h"
#include "import/puzzle_import.h"
#include "import/text_decoding.h"
#include "text/code_pages.h"
#include "win/problem_switch.h"
#include "win/progress_dialog.h"
#include "win/wide_text.h"

#include <commdlg.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace korvani {

namespace {

constexpr char importingTitle[] = "取り込み中";
constexpr char confirmCaption[] = "確認";

std::string utf8Of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

// One import on the workers: each checks its share, and the last one to end writes the new
// files (reading the store, which the UI thread leaves alone while the owner is disabled), so
// that the window keeps painting through the writes too.
struct ImportRun {
    PuzzleImport* import = nullptr;
    const ProgressStore* store = nullptr;
    std::atomic<int> workersDone{0};
    bool finished = false; // outcome holds what finish gave
    ImportOutcome outcome;
};

void importTask(void* context, int worker, int workerCount, BackgroundWork& work) {
    auto& run = *static_cast<ImportRun*>(context);
    run.import->checkShare(worker, workerCount, work.done, work.cancelled);
    if (run.workersDone.fetch_add(1) + 1 == workerCount && !work.cancelled) {
        run.outcome = run.import->finish(*run.store);
        run.finished = true;
    }
}

// Whether the import only points at the puzzle being played.
bool isCurrentPuzzle(const GameState& game, const ImportOutcome& outcome) {
    const ProgressStore& store = game.progress;
    return outcome.written.empty() && game.phase == PlayPhase::InPlay &&
           std::memcmp(outcome.openName, store.header.problemFileName, 64) == 0 &&
           outcome.openIndex == store.header.currentProblemIndex;
}

// Checks and writes on the workers, then opens what there is to open and tells the rest. After
// 中止 during the check nothing is written; once the files are written they are opened.
void runImport(GameState& game, HWND window, PuzzleImport& import) {
    BackgroundWork work;
    work.total = import.puzzleCount();
    ImportRun run;
    run.import = &import;
    run.store = &game.progress;
    runWithProgress(window, importingTitle, work, importTask, &run);
    if (!run.finished) return;
    const ImportOutcome& outcome = run.outcome;
    if (outcome.opensFile && !isCurrentPuzzle(game, outcome) &&
        !switchToProblemFile(game, outcome.openName, outcome.openIndex)) {
        showMessageBox(window, "取り込んだ問題ファイルを開けませんでした。", confirmCaption,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    if (!outcome.message.empty()) {
        const UINT icon = outcome.writeFailed || !outcome.opensFile ? MB_ICONWARNING : 0;
        showMessageBox(window, outcome.message.c_str(), confirmCaption, MB_OK | icon);
    }
}

// A file's whole contents as one source, named after the file.
void addFile(PuzzleImport& import, const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        if (*p == L'\\' || *p == L'/') name = p + 1;
    }
    const std::string label = utf8Of(name);
    std::string stem = label;
    const std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);

    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        import.addRefusedSource(stem, label, SourceProblem::unreadable);
        return;
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > static_cast<LONGLONG>(maxImportBytes)) {
        CloseHandle(file);
        import.addRefusedSource(
            stem, label, size.QuadPart > 0 ? SourceProblem::tooLarge : SourceProblem::unreadable);
        return;
    }
    std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    const bool whole =
        bytes.empty() ||
        (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size());
    CloseHandle(file);
    if (!whole) {
        import.addRefusedSource(stem, label, SourceProblem::unreadable);
        return;
    }
    import.addText(stem, label, bytes.data(), bytes.size());
}

// The clipboard's text: Unicode text as UTF-8, else the ANSI text's bytes as they are. Empty
// when there is no text.
std::string clipboardText(HWND window) {
    std::string result;
    if (!OpenClipboard(window)) return result;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            result = utf8Of(wide);
            GlobalUnlock(data);
        }
    } else if (HANDLE ansi = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(ansi))) {
            result = bytes;
            GlobalUnlock(ansi);
        }
    }
    CloseClipboard();
    return result;
}

// A movable global block holding `size` bytes of `data`, for the clipboard; null on failure.
HGLOBAL globalCopy(const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return nullptr;
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    return block;
}

// Hands a block to the clipboard, which owns it from then on; freed here when it refuses.
void setClipboardBlock(UINT format, HGLOBAL block) {
    if (block != nullptr && SetClipboardData(format, block) == nullptr) GlobalFree(block);
}

} // namespace

void onPastePuzzles(GameState& game, HWND window) {
    const std::string pasted = clipboardText(window);
    PuzzleImport import;
    import.addText(pasteStem(), std::string(), pasted.data(), pasted.size());
    runImport(game, window, import);
}

void onImportFile(GameState& game, HWND window) {
    wchar_t path[MAX_PATH * 4] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = L"テキスト (*.txt;*.sdk;*.sdm;*.ss;*.dat)\0*.txt;*.sdk;*.sdm;*.ss;*.dat\0"
                         L"すべてのファイル (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH * 4;
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return;
    PuzzleImport import;
    addFile(import, path);
    runImport(game, window, import);
}

void onDropFiles(GameState& game, HWND window, HDROP drop) {
    PuzzleImport import;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::vector<wchar_t> path(length + 1);
        if (DragQueryFileW(drop, i, path.data(), length + 1) == length)
            addFile(import, path.data());
    }
    DragFinish(drop);
    if (count > 0) runImport(game, window, import);
}

void onCopyPuzzle(const GameState& game, HWND window) {
    if (game.currentProblem == nullptr) return;
    char line[copyLineSize];
    formatCopyLine(game.currentProblem->givens, line);
    wchar_t wide[copyLineSize];
    for (std::size_t i = 0; i < copyLineSize; ++i) wide[i] = static_cast<wchar_t>(line[i]);
    if (!OpenClipboard(window)) return;
    EmptyClipboard();
    setClipboardBlock(CF_UNICODETEXT, globalCopy(wide, sizeof wide));
    setClipboardBlock(CF_TEXT, globalCopy(line, sizeof line));
    CloseClipboard();
}

} // namespace korvani
