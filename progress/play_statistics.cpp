// The statistics of the records dialog, counted from the records log and the save file's clear
// times, and the dialog's lines.
#include "progress/play_statistics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace korvani {

namespace {

// One clear as the statistics count it.
struct CountedClear {
    int grade = 0; // 0: unknown
    int seconds = 0;
    bool withoutHint = false;
    bool withoutMistake = false;
};

int gradeInFiles(const ProblemFileGrades* files, int fileCount, std::uint32_t key, int index) {
    for (int f = 0; f < fileCount; ++f)
        if (files[f].key == key && index < files[f].problemCount) return files[f].grades[index];
    return 0;
}

// Count, best, average and median of the clears of one grade (all of them for grade -1);
// `seconds` is scratch with room for every clear.
GradeStatistics summarise(const CountedClear* clears, std::size_t count, int grade, int* seconds) {
    GradeStatistics result;
    long long sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const CountedClear& clear = clears[i];
        if (grade >= 0 && clear.grade != grade) continue;
        seconds[result.cleared++] = clear.seconds;
        sum += clear.seconds;
        if (clear.withoutHint) ++result.withoutHint;
        if (clear.withoutMistake) ++result.withoutMistake;
    }
    if (result.cleared == 0) return result;
    const int n = result.cleared;
    std::sort(seconds, seconds + n);
    result.bestSeconds = seconds[0];
    result.averageSeconds = static_cast<int>((2 * sum + n) / (2 * n));
    result.medianSeconds = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    return result;
}

void formatTime(bool any, int seconds, char (&text)[16]) {
    if (!any) {
        std::snprintf(text, sizeof text, "%s", "－");
        return;
    }
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
}

} // namespace

bool logKnowsClear(const ClearRecordList& log, std::uint32_t key, int index) {
    for (std::size_t i = 0; i < log.count; ++i)
        if (log.records[i].fileKey == key && log.records[i].problemIndex == index) return true;
    return false;
}

bool computePlayStatistics(const ClearRecordList& log, const ProgressRecord* saveRecords,
                           int saveRecordCount, const ProblemFileGrades* files, int fileCount,
                           PlayStatistics& statistics) {
    statistics = PlayStatistics{};
    const std::size_t most =
        log.count +
        static_cast<std::size_t>(saveRecordCount > 0 ? saveRecordCount : 0) * maxProblemsPerFile;
    if (most == 0) return true;
    auto* clears = static_cast<CountedClear*>(std::malloc(most * sizeof(CountedClear)));
    auto* seconds = static_cast<int*>(std::malloc(most * sizeof(int)));
    if (clears == nullptr || seconds == nullptr) {
        std::free(clears);
        std::free(seconds);
        return false;
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i < log.count; ++i) {
        const ClearRecord& record = log.records[i];
        const bool known = record.grade >= 1 && record.grade <= highestGrade;
        clears[count++] = {known ? record.grade : 0, record.seconds,
                           (record.flags & clearUsedHint) == 0,
                           (record.flags & clearPlacedWrong) == 0};
    }
    // The save file keeps only the last time of each puzzle; a puzzle the log knows was cleared
    // since the log began, and its time is among the log's.
    for (int r = 0; r < saveRecordCount; ++r) {
        const ProgressRecord& record = saveRecords[r];
        for (int index = 0; index < maxProblemsPerFile; ++index) {
            const int time = static_cast<std::uint16_t>(record.clearSeconds[index]);
            if (time == 0 || logKnowsClear(log, record.fileKey, index)) continue;
            const int grade = gradeInFiles(files, fileCount, record.fileKey, index);
            clears[count++] = {grade >= 1 && grade <= highestGrade ? grade : 0, time, false, false};
        }
    }
    for (int grade = 1; grade <= highestGrade; ++grade)
        statistics.byGrade[grade] = summarise(clears, count, grade, seconds);
    statistics.total = summarise(clears, count, -1, seconds);
    std::free(clears);
    std::free(seconds);
    return true;
}

int clearedPuzzleCount(const ProgressRecord* saveRecords, int saveRecordCount, std::uint32_t key,
                       int problemCount) {
    for (int r = 0; r < saveRecordCount; ++r) {
        if (saveRecords[r].fileKey != key) continue;
        int cleared = 0;
        for (int index = 0; index < problemCount && index < maxProblemsPerFile; ++index)
            if (saveRecords[r].clearSeconds[index] != 0) ++cleared;
        return cleared;
    }
    return 0;
}

void formatStatisticsLine(int grade, const GradeStatistics& s, char (&line)[statisticsLineSize]) {
    char best[16];
    char average[16];
    char median[16];
    const bool any = s.cleared > 0;
    formatTime(any, s.bestSeconds, best);
    formatTime(any, s.averageSeconds, average);
    formatTime(any, s.medianSeconds, median);
    char label[32];
    if (grade == 0) {
        std::snprintf(label, sizeof label, "%s", "合計");
    } else {
        std::snprintf(label, sizeof label, "難易度 %d", grade);
    }
    std::snprintf(line, sizeof line, "%s\t%d\t%s\t%s\t%s\t%d\t%d", label, s.cleared, best, average,
                  median, s.withoutHint, s.withoutMistake);
}

const char* statisticsHeading() {
    return "\tクリア\t最短\t平均\t中央値\tヒントなし\tミスなし";
}

void formatProblemFileLine(const char* utf8Name, int cleared, int problemCount,
                           char (&line)[statisticsLineSize]) {
    std::snprintf(line, sizeof line, "%.100s\t%d / %d", utf8Name, cleared, problemCount);
}

} // namespace korvani
