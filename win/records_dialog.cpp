// The records dialog (ゲーム → 記録): the statistics per grade and in total from the records log
// and the save file's clear times, and every problem file beside the executable with how many of
// its puzzles are cleared. The problem files are read (and proved) to learn their keys and the
// grades of their puzzles.
#include "core/problem_file.h"
#include "files/open_file.h"
#include "progress/file_names.h"
#include "progress/play_statistics.h"
#include "progress/records_log.h"
#include "text/code_pages.h"
#include "win/dialogs.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace korvani {

namespace {

constexpr int listedFilesCapacity = 64;
constexpr int lineCapacity = 256;

struct ListedFile {
    wchar_t name[MAX_PATH]; // without ".dat"
    ProblemFileGrades grades;
};

// The problem files beside the executable, read for their keys and grades; files that cannot
// be read count with no puzzles. Returns how many were listed.
int readProblemFiles(const ProgressStore& store, ListedFile* files, int capacity) {
    wchar_t directory[savePathCapacity];
    char prefix[savePathCapacity];
    const int prefixLength = store.dirPrefixLength;
    if (prefixLength < 0 || prefixLength >= savePathCapacity) return 0;
    std::memcpy(prefix, store.savePath, static_cast<std::size_t>(prefixLength));
    prefix[prefixLength] = '\0';
    if (!widenText(codePageUtf8, prefix, directory, savePathCapacity)) return 0;
    wchar_t pattern[savePathCapacity + 8];
    std::swprintf(pattern, savePathCapacity + 8, L"%ls*.dat", directory);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        const std::size_t length = std::wcslen(entry.cFileName);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || length < 5 ||
            std::wcscmp(entry.cFileName + length - 4, L".dat") != 0)
            continue;
        ListedFile& file = files[count];
        file = ListedFile{};
        std::wmemcpy(file.name, entry.cFileName, length - 4);
        char name[3 * MAX_PATH];
        char path[savePathCapacity + 3 * MAX_PATH];
        if (narrowText(codePageUtf8, entry.cFileName, name, sizeof name)) {
            std::snprintf(path, sizeof path, "%s%s", prefix, name);
            if (std::FILE* stream = openFile(path, "rb")) {
                static Problem slots[maxProblemsPerFile];
                const ProblemLines lines = readProblemLines(stream, slots, nullptr);
                std::fclose(stream);
                file.grades.key = lines.key;
                file.grades.problemCount = lines.count;
                for (int i = 0; i < lines.count; ++i) file.grades.grades[i] = slots[i].difficulty;
            }
        }
        ++count;
    } while (count < capacity && FindNextFileW(search, &entry));
    FindClose(search);
    return count;
}

void addUtf8Line(HWND list, const char* text) {
    wchar_t line[lineCapacity];
    if (widenText(codePageUtf8, text, line, lineCapacity))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
}

void fillGradeList(HWND list, const PlayStatistics& statistics) {
    // The label, then six columns of numbers (dialog-template units).
    static constexpr int tabStops[] = {44, 78, 118, 158, 206, 256};
    SendMessageW(list, LB_SETTABSTOPS, sizeof tabStops / sizeof tabStops[0],
                 reinterpret_cast<LPARAM>(tabStops));
    addUtf8Line(list, statisticsHeading());
    char line[statisticsLineSize];
    for (int grade = 1; grade <= highestGrade; ++grade) {
        formatStatisticsLine(grade, statistics.byGrade[grade], line);
        addUtf8Line(list, line);
    }
    formatStatisticsLine(0, statistics.total, line);
    addUtf8Line(list, line);
}

void fillFileList(HWND list, const ProgressStore& store, const ListedFile* files, int count) {
    static constexpr int tabStops[] = {200};
    SendMessageW(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(tabStops));
    for (int f = 0; f < count; ++f) {
        char name[3 * MAX_PATH];
        if (!narrowText(codePageUtf8, files[f].name, name, sizeof name)) continue;
        const ProblemFileGrades& grades = files[f].grades;
        const int cleared = clearedPuzzleCount(store.records, grades.key, grades.problemCount);
        char line[statisticsLineSize];
        formatProblemFileLine(name, cleared, grades.problemCount, line);
        addUtf8Line(list, line);
    }
}

void fillRecords(HWND dialog, const ProgressStore& store) {
    static ListedFile files[listedFilesCapacity];
    const int fileCount = readProblemFiles(store, files, listedFilesCapacity);
    ProblemFileGrades grades[listedFilesCapacity];
    for (int f = 0; f < fileCount; ++f) grades[f] = files[f].grades;

    std::vector<ClearRecord> log;
    char logPath[savePathCapacity];
    if (deriveRecordsLogPath(store.savePath, logPath, sizeof logPath))
        log = readRecordsLog(logPath);
    PlayStatistics statistics;
    computePlayStatistics(log, store.records, grades, fileCount, statistics);
    fillGradeList(GetDlgItem(dialog, recordsGradesListId), statistics);
    fillFileList(GetDlgItem(dialog, recordsFilesListId), store, files, fileCount);
}

} // namespace

INT_PTR CALLBACK recordsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        centreDialog(dialog);
        if (lParam != 0) fillRecords(dialog, *reinterpret_cast<const ProgressStore*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace korvani
