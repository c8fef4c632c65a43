// The player's statistics: per grade (1 to 10) and in total, how many puzzles were cleared, the
// best, average and median time, and how many were cleared without a hint and without a wrong
// digit. They come from the records log, and from the save file's clear times that the log
// does not know (clears from before the log, of unknown date and manner). Also the texts of the
// records dialog, in UTF-8.
#pragma once

#include "progress/progress_store.h"
#include "progress/records_log.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvani {

inline constexpr int highestGrade = 10; // 10: imported puzzles beyond the grader

struct GradeStatistics {
    int cleared = 0;
    int bestSeconds = 0;    // 0 while nothing is cleared
    int averageSeconds = 0; // rounded to the nearest second, halves up
    int medianSeconds = 0;  // of an even count, the mean of the middle two, rounded down
    int withoutHint = 0;    // clears whose record says no hint was asked for
    int withoutMistake = 0; // clears whose record says no wrong digit was placed
    bool operator==(const GradeStatistics&) const = default;
};

struct PlayStatistics {
    GradeStatistics byGrade[highestGrade + 1]; // [1 .. 10]; [0] is not used
    GradeStatistics total;                     // every clear, those of other grades included
};

// A problem file as the records dialog knows it: its key and the grade of each of its puzzles.
struct ProblemFileGrades {
    std::uint32_t key = 0;
    int problemCount = 0;
    std::int8_t grades[maxProblemsPerFile] = {};
};

// Whether the log holds a clear of puzzle `index` of the file with `key`.
bool logKnowsClear(const std::vector<ClearRecord>& log, std::uint32_t key, int index);

// Counts the log's clears, and each clear time of the save file's records that the log does not
// know, as a clear of the grade its file gives it (none, and so only in the total, when no file
// of that key is among `files`).
void computePlayStatistics(const std::vector<ClearRecord>& log,
                           const std::vector<ProgressRecord>& saveRecords,
                           const ProblemFileGrades* files, int fileCount,
                           PlayStatistics& statistics);

// How many of the first `problemCount` puzzles of the file with `key` have a clear time.
int clearedPuzzleCount(const std::vector<ProgressRecord>& saveRecords, std::uint32_t key,
                       int problemCount);

inline constexpr std::size_t statisticsLineSize = 160;

// One line of the records dialog's table, columns separated by tabs: "難易度 g" (or "合計" for
// grade 0), the count, then best, average and median as m:ss ("－" when nothing is cleared), and
// the counts without a hint and without a mistake.
void formatStatisticsLine(int grade, const GradeStatistics& statistics,
                          char (&line)[statisticsLineSize]);

// The table's heading line, with the same tabs.
const char* statisticsHeading();

// One line of the problem-file list: the name (UTF-8), then "cleared / puzzles".
void formatProblemFileLine(const char* utf8Name, int cleared, int problemCount,
                           char (&line)[statisticsLineSize]);

} // namespace korvani
