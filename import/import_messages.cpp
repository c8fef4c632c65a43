// The import's Japanese texts.
#include "import/import_messages.h"

#include "import/puzzle_import.h"

namespace korvani {

namespace {

std::string number(int value) {
    return std::to_string(value);
}

std::string cellName(int cell) {
    return number(rowOf(cell) + 1) + "行" + number(columnOf(cell) + 1) + "列";
}

} // namespace

std::string refusalReason(const CheckedPuzzle& puzzle) {
    switch (puzzle.verdict) {
    case Verdict::accepted:
        return {};
    case Verdict::wrongCellCount:
        return "1行に81マスが必要ですが、" + number(puzzle.count) + "マスあります";
    case Verdict::shortGrid:
        return "9×9 の盤面が " + number(puzzle.count) + " 行で終わっています";
    case Verdict::notAPuzzle:
        return "問題として読めません（1行に81マスか、9行の 9×9 の盤面を書いてください）";
    case Verdict::clash:
        return cellName(puzzle.clashA) + "と" + cellName(puzzle.clashB) + "に同じ数字 " +
               number(puzzle.givens[static_cast<std::size_t>(puzzle.clashA)]) + " があります";
    case Verdict::noSolution:
        return "解がありません";
    case Verdict::manySolutions:
        return "解が2つ以上あります";
    }
    return {};
}

std::string sourceProblemText(SourceProblem problem) {
    switch (problem) {
    case SourceProblem::none:
        return {};
    case SourceProblem::tooLarge:
        return "10 MB を超えるファイルは取り込めません";
    case SourceProblem::unreadable:
        return "読み込めませんでした";
    case SourceProblem::nothingFound:
        return "問題が見つかりません。1行に81マス（1～9 と空きマスの . 0 * _ - x）か、"
               "9行の 9×9 の盤面を書いてください";
    case SourceProblem::tooMany:
        return "10,000問を超えるテキストは取り込めません";
    }
    return {};
}

std::string importHeadline(int accepted, int refused) {
    if (accepted == 0) return "問題を取り込めませんでした。";
    std::string text = number(accepted) + "問を取り込みました。";
    if (refused > 0) text += number(refused) + "問は取り込めませんでした。";
    return text;
}

std::string beyondGraderText(int count) {
    return number(count) + "問は手筋だけでは解き切れないため、難易度 10 としました。";
}

std::string alreadyThereText(int count) {
    return number(count) + "問はすでに問題ファイルにあるため、そのファイルを使います。";
}

std::string writeFailedText() {
    return "問題ファイルを書き込めませんでした。フォルダーが書き込み禁止か、"
           "ディスクがいっぱいです。何も取り込んでいません。";
}

std::string placeText(const std::string& label, int line) {
    std::string text = label.empty() ? std::string() : label + " ";
    return text + number(line) + "行目";
}

std::string moreRefusalsText(int count) {
    return "ほか " + number(count) + " 件";
}

} // namespace korvani
