// The import's Japanese texts.
#include "import/import_messages.h"

#include "import/puzzle_import.h"

namespace korvani {

namespace {

// u8 literals hold char8_t; the game's UTF-8 texts are plain chars.
std::string utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

std::string number(int value) {
    return std::to_string(value);
}

std::string cellName(int cell) {
    return number(rowOf(cell) + 1) + utf8(u8"行") + number(columnOf(cell) + 1) + utf8(u8"列");
}

} // namespace

std::string refusalReason(const CheckedPuzzle& puzzle) {
    switch (puzzle.verdict) {
    case Verdict::accepted:
        return {};
    case Verdict::wrongCellCount:
        return utf8(u8"1行に81マスが必要ですが、") + number(puzzle.count) + utf8(u8"マスあります");
    case Verdict::shortGrid:
        return utf8(u8"9×9 の盤面が ") + number(puzzle.count) + utf8(u8" 行で終わっています");
    case Verdict::notAPuzzle:
        return utf8(u8"問題として読めません（1行に81マスか、9行の 9×9 の盤面を書いてください）");
    case Verdict::clash:
        return cellName(puzzle.clashA) + utf8(u8"と") + cellName(puzzle.clashB) +
               utf8(u8"に同じ数字 ") +
               number(puzzle.givens[static_cast<std::size_t>(puzzle.clashA)]) +
               utf8(u8" があります");
    case Verdict::noSolution:
        return utf8(u8"解がありません");
    case Verdict::manySolutions:
        return utf8(u8"解が2つ以上あります");
    }
    return {};
}

std::string sourceProblemText(SourceProblem problem) {
    switch (problem) {
    case SourceProblem::none:
        return {};
    case SourceProblem::tooLarge:
        return utf8(u8"10 MB を超えるファイルは取り込めません");
    case SourceProblem::unreadable:
        return utf8(u8"読み込めませんでした");
    case SourceProblem::nothingFound:
        return utf8(u8"問題が見つかりません。1行に81マス（1～9 と空きマスの . 0 * _ - x）か、"
                    u8"9行の 9×9 の盤面を書いてください");
    case SourceProblem::tooMany:
        return utf8(u8"10,000問を超えるテキストは取り込めません");
    }
    return {};
}

std::string importHeadline(int accepted, int refused) {
    if (accepted == 0) return utf8(u8"問題を取り込めませんでした。");
    std::string text = number(accepted) + utf8(u8"問を取り込みました。");
    if (refused > 0) text += number(refused) + utf8(u8"問は取り込めませんでした。");
    return text;
}

std::string beyondGraderText(int count) {
    return number(count) + utf8(u8"問は手筋だけでは解き切れないため、難易度 10 としました。");
}

std::string alreadyThereText(int count) {
    return number(count) + utf8(u8"問はすでに問題ファイルにあるため、そのファイルを使います。");
}

std::string writeFailedText() {
    return utf8(u8"問題ファイルを書き込めませんでした。フォルダーが書き込み禁止か、"
                u8"ディスクがいっぱいです。何も取り込んでいません。");
}

std::string placeText(const std::string& label, int line) {
    std::string text = label.empty() ? std::string() : label + " ";
    return text + number(line) + utf8(u8"行目");
}

std::string moreRefusalsText(int count) {
    return utf8(u8"ほか ") + number(count) + utf8(u8" 件");
}

} // namespace korvani
