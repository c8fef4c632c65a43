// What the game tells the player about an import, in Japanese (UTF-8): why a puzzle or a whole
// source was refused, and the summary after the import.
#pragma once

#include "import/puzzle_check.h"

#include <string>

namespace korvani {

enum class SourceProblem;

// 「3行2列と3行7列に同じ数字 5 があります」 and the like.
std::string refusalReason(const CheckedPuzzle& puzzle);

// Why nothing of a source was taken: too large, unreadable, no puzzle, too many puzzles.
std::string sourceProblemText(SourceProblem problem);

// 「12問を取り込みました。3問は取り込めませんでした。」, or that nothing could be taken.
std::string importHeadline(int accepted, int refused);
std::string beyondGraderText(int count);
std::string alreadyThereText(int count);
std::string writeFailedText();
// 「4行目」, with the source's label before it when there is one.
std::string placeText(const std::string& label, int line);
std::string moreRefusalsText(int count);

} // namespace korvani
