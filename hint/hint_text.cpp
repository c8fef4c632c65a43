// The Japanese explanations of hints, in UTF-8 like every text of the program.
#include "hint/hint_text.h"

namespace korvani {

namespace {

// Appends to a caller's buffer and never writes past it; once a piece does not fit, the text
// ends at the last whole character before it.
class TextWriter {
  public:
    TextWriter(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}

    void put(const char* text) {
        for (; *text != '\0' && !full_; ++text) {
            if (length_ + 1 >= size_) {
                full_ = true;
                trimPartialCharacter();
                break;
            }
            buffer_[length_++] = *text;
        }
    }

    void number(int value) {
        char digits[12];
        int n = 0;
        do {
            digits[n++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0 && n < 11);
        char text[12];
        for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
        text[n] = '\0';
        put(text);
    }

    std::size_t finish() {
        if (size_ == 0) return 0;
        buffer_[length_] = '\0';
        return length_;
    }

  private:
    // Drops the lead and continuation bytes of a character that was cut off.
    void trimPartialCharacter() {
        std::size_t start = length_;
        while (start > 0 && (static_cast<unsigned char>(buffer_[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start == 0) return;
        const unsigned char lead = static_cast<unsigned char>(buffer_[start - 1]);
        const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length_ - (start - 1) < need) length_ = start - 1;
    }

    char* buffer_;
    std::size_t size_;
    std::size_t length_ = 0;
    bool full_ = false;
};

// "3行7列": rows and columns counted from 1.
void putCell(TextWriter& out, int cell) {
    out.number(rowOf(cell) + 1);
    out.put("行");
    out.number(columnOf(cell) + 1);
    out.put("列");
}

// "3行目", "7列目", "中央上のブロック".
void putUnit(TextWriter& out, int unit) {
    static constexpr const char* boxNames[9] = {"左上",   "中央上", "右上",   "左中央", "中央",
                                                "右中央", "左下",   "中央下", "右下"};
    if (unit < 9) {
        out.number(unit + 1);
        out.put("行目");
    } else if (unit < 18) {
        out.number(unit - 9 + 1);
        out.put("列目");
    } else {
        out.put(boxNames[unit - 18]);
        out.put("のブロック");
    }
}

// "5", or "2・6" for several digits.
void putDigits(TextWriter& out, DigitMask digits) {
    bool first = true;
    for (int digit = 1; digit <= 9; ++digit) {
        if (!(digits & maskOfDigit(digit))) continue;
        if (!first) out.put("・");
        out.number(digit);
        first = false;
    }
}

// Two items joined with "と", more with "・".
const char* separator(int count) {
    return count == 2 ? "と" : "・";
}

// "2行目と6行目" (ordinals) or "4列・8列" (plain), for the lines whose bits are set.
void putLines(TextWriter& out, std::uint16_t lines, bool columns, bool ordinal, const char* join) {
    bool first = true;
    for (int line = 0; line < 9; ++line) {
        if (!(lines & (1 << line))) continue;
        if (!first) out.put(join);
        out.number(line + 1);
        out.put(columns ? (ordinal ? "列目" : "列") : (ordinal ? "行目" : "行"));
        first = false;
    }
}

// The explanations. Each % code stands for a part of the step:
//   %U the house, %O the other house (%u, %o: the same after kana, a space before a numeral)
//   %C the cell placed, %d its digit, %D the pattern's digits, %n how many target cells
//   %N the named cells, joined; %1 %2 %3 the first, second and third of them
//   %P %Q the XY-wing pivot's two digits
//   %B the fish's base lines, %X its cross lines, %Y its cross lines joined with "・"
const char* textTemplate(const Hint& hint) {
    switch (hint.kind) {
    case HintKind::Invalid:
        return "この問題は最初から置かれている数字どうしが矛盾しているため、ヒントを出せません";
    case HintKind::Wrong:
        return "間違っている数字が %n 個あります。印のついたマスを確かめてください";
    case HintKind::WrongNotes:
        return "正しい数字がメモに入っていないマスが %n 個あります。印のついたマスのメモを確かめ"
               "てください";
    case HintKind::Solved:
        return "すでに正しく解けています";
    case HintKind::Stuck:
        return "論理的に進められる手が見つかりません";
    case HintKind::Place:
    case HintKind::Remove:
        break;
    }
    switch (hint.step.technique) {
    case Technique::HiddenSingle:
        return "%Uで %d が入るのは %Cだけです";
    case Technique::NakedSingle:
        return "%Cには %d しか入りません";
    case Technique::LockedCandidates:
        return "%Uの %D は%oにしかないので、%Oのほかのマスから %D を消せます";
    case Technique::NakedPair:
    case Technique::NakedTriple:
    case Technique::NakedQuad:
        return "%Uの %Nには %D しか入らないので、%Uのほかのマスから %D を消せます";
    case Technique::HiddenPair:
    case Technique::HiddenTriple:
    case Technique::HiddenQuad:
        return "%Uで %D が入るのは %Nだけなので、そこから %D 以外の数字を消せます";
    case Technique::XWing:
    case Technique::Swordfish:
    case Technique::Jellyfish:
        return "%Bの %D は %Xにしかないので、ほかのマスの %Yから %D を消せます";
    case Technique::XYWing:
        return "%1が %P なら %2が、%Q なら %3が %D になるので、その両方と同じ行・列・ブロックに"
               "あるマスから %D を消せます";
    case Technique::XYZWing:
        return "%Nのどれかに必ず %D が入るので、3マスすべてと同じ行・列・ブロックにあるマスから "
               "%D を消せます";
    case Technique::SimpleColouring:
        if (hint.step.colourTrap)
            return "%D が2か所にしか入らない行・列・ブロックをたどって交互に色を塗ると、どちらか"
                   "の色のマスに必ず %D が入るので、両方の色のマスと同じ行・列・ブロックにある"
                   "マスから %D を消せます";
        return "%D が2か所にしか入らない行・列・ブロックをたどって交互に色を塗ると、%Nは同じ色"
               "なのにどちらも%uにあるので、その色のマスから %D を消せます";
    case Technique::XChain:
        return "%D が2か所にしか入らない行・列・ブロックをつなぐ鎖をたどると、%1か%2のどちらか"
               "に必ず %D が入るので、その両方と同じ行・列・ブロックにあるマスから %D を消せます";
    case Technique::XYChain:
        return "候補が2つのマスをつなぐ鎖をたどると、%1か%2のどちらかに必ず %D が入るので、その"
               "両方と同じ行・列・ブロックにあるマスから %D を消せます";
    }
    return "";
}

void putCode(TextWriter& out, const Hint& hint, char code) {
    const Step& step = hint.step;
    const int size = bitCount(step.baseLines);
    switch (code) {
    case 'u':
    case 'o': {
        const int unit = code == 'u' ? step.unit : step.otherUnit;
        if (unit < 18) out.put(" ");
        putUnit(out, unit);
        break;
    }
    case 'U':
        putUnit(out, step.unit);
        break;
    case 'O':
        putUnit(out, step.otherUnit);
        break;
    case 'C':
        putCell(out, step.cell);
        break;
    case 'd':
        out.number(step.digit);
        break;
    case 'D':
        putDigits(out, step.digits);
        break;
    case 'n':
        out.number(hint.targets.count());
        break;
    case 'N':
        for (int i = 0; i < step.namedCount; ++i) {
            if (i > 0) out.put(separator(step.namedCount));
            putCell(out, step.named[i]);
        }
        break;
    case '1':
    case '2':
    case '3':
        putCell(out, step.named[code - '1']);
        break;
    case 'P':
    case 'Q':
        out.number(step.pivotDigits[code - 'P']);
        break;
    case 'B':
        putLines(out, step.baseLines, step.columns, true, separator(size));
        break;
    case 'X':
        putLines(out, step.crossLines, !step.columns, false, separator(size));
        break;
    case 'Y':
        putLines(out, step.crossLines, !step.columns, false, "・");
        break;
    default:
        break;
    }
}

} // namespace

const char* techniqueJapaneseName(Technique technique) {
    switch (technique) {
    case Technique::HiddenSingle:
        return "隠れたシングル";
    case Technique::NakedSingle:
        return "裸のシングル";
    case Technique::LockedCandidates:
        return "ロックされた候補";
    case Technique::NakedPair:
        return "裸のペア";
    case Technique::HiddenPair:
        return "隠れたペア";
    case Technique::NakedTriple:
        return "裸のトリプル";
    case Technique::HiddenTriple:
        return "隠れたトリプル";
    case Technique::NakedQuad:
        return "裸のクアッド";
    case Technique::HiddenQuad:
        return "隠れたクアッド";
    case Technique::XWing:
        return "X-Wing";
    case Technique::XYWing:
        return "XY-Wing";
    case Technique::XYZWing:
        return "XYZ-Wing";
    case Technique::Swordfish:
        return "ソードフィッシュ";
    case Technique::Jellyfish:
        return "ジェリーフィッシュ";
    case Technique::SimpleColouring:
        return "シンプルカラーリング";
    case Technique::XChain:
        return "X-チェーン";
    case Technique::XYChain:
        return "XY-チェーン";
    }
    return "?";
}

std::size_t formatHint(const Hint& hint, char* buffer, std::size_t size) {
    TextWriter out(buffer, size);
    // The % codes are ASCII, so they never meet the bytes of a multibyte character.
    const char* text = reinterpret_cast<const char*>(textTemplate(hint));
    char plain[2] = {0, 0};
    for (; *text != '\0'; ++text) {
        if (*text == '%' && text[1] != '\0') {
            putCode(out, hint, *++text);
            continue;
        }
        plain[0] = *text;
        out.put(plain);
    }
    if (hint.kind == HintKind::Place || hint.kind == HintKind::Remove) {
        out.put("（");
        out.put(techniqueJapaneseName(hint.step.technique));
        out.put("）");
    }
    return out.finish();
}

} // namespace korvani
