// The import from the texts read to the new problem files and the summary.
#include "import/puzzle_import.h"

#include "import/import_messages.h"
#include "import/text_decoding.h"
#include "progress/file_names.h"
#include "progress/problem_folder.h"

#include <algorithm>
#include <cstring>

namespace korvani {

namespace {

// How many refusals the summary names one by one.
constexpr int listedRefusals = 20;

// The tag letter of imported files.
constexpr char importTagLetter = 'i';

// The fallback stem when a source's name cannot be a problem file's name.
constexpr char fallbackStem[] = "取り込み";

struct Summary {
    int accepted = 0;
    int refused = 0;
    int beyondGrader = 0;
    int alreadyThere = 0;
    std::vector<std::string> reasons;
    bool severalSources = false;

    void refuse(const std::string& label, int line, const std::string& reason) {
        ++refused;
        addReason((line > 0 ? placeText(severalSources ? label : std::string(), line) : label) +
                  ": " + reason);
    }
    void addReason(const std::string& text) { reasons.push_back(text); }

    std::string text(bool nothingRead) const {
        const bool tell = refused > 0 || beyondGrader > 0 || alreadyThere > 0 || accepted == 0;
        if (!tell) return {};
        std::string message = nothingRead && reasons.size() == 1 && accepted == 0
                                  ? std::string()
                                  : importHeadline(accepted, refused);
        // Appended piece by piece: g++ 12 at -O3 sees a false overlap in "\n" + text.
        if (beyondGrader > 0) {
            message += '\n';
            message += beyondGraderText(beyondGrader);
        }
        if (alreadyThere > 0) {
            message += '\n';
            message += alreadyThereText(alreadyThere);
        }
        if (!reasons.empty()) {
            // The reasons below the headline, after a blank line.
            if (!message.empty()) message += "\n\n";
            const int shown = std::min<int>(listedRefusals, static_cast<int>(reasons.size()));
            for (int i = 0; i < shown; ++i) {
                if (i > 0) message += "\n";
                message += reasons[static_cast<std::size_t>(i)];
            }
            if (static_cast<int>(reasons.size()) > shown) {
                message += '\n';
                message += moreRefusalsText(static_cast<int>(reasons.size()) - shown);
            }
        }
        return message;
    }
};

} // namespace

const char* pasteStem() {
    return "貼り付け";
}

void PuzzleImport::addText(const std::string& stem, const std::string& label, const void* bytes,
                           std::size_t size) {
    ImportSource& source = sources_.emplace_back();
    source.stem = stem;
    source.label = label;
    if (size > maxImportBytes) {
        source.problem = SourceProblem::tooLarge;
        return;
    }
    ReadPuzzles found = readPuzzles(normalizeText(bytes, size));
    if (found.tooMany) {
        source.problem = SourceProblem::tooMany;
        return;
    }
    if (found.puzzles.empty()) {
        source.problem = SourceProblem::nothingFound;
        return;
    }
    source.read = std::move(found.puzzles);
    source.checked.resize(source.read.size());
    const int index = static_cast<int>(sources_.size()) - 1;
    for (int p = 0; p < static_cast<int>(source.read.size()); ++p) units_.push_back({index, p});
}

void PuzzleImport::addRefusedSource(const std::string& stem, const std::string& label,
                                    SourceProblem problem) {
    ImportSource& source = sources_.emplace_back();
    source.stem = stem;
    source.label = label;
    source.problem = problem;
}

void PuzzleImport::checkShare(int worker, int workerCount, std::atomic<int>& done,
                              const std::atomic<bool>& cancelled) {
    for (std::size_t i = static_cast<std::size_t>(worker); i < units_.size();
         i += static_cast<std::size_t>(workerCount)) {
        if (cancelled) return;
        ImportSource& source = sources_[static_cast<std::size_t>(units_[i].source)];
        const auto p = static_cast<std::size_t>(units_[i].puzzle);
        source.checked[p] = checkPuzzle(source.read[p]);
        ++done;
    }
}

ImportOutcome PuzzleImport::finish(const ProgressStore& store) const {
    ImportOutcome outcome;
    Summary summary;
    summary.severalSources = sources_.size() > 1;
    ProblemFolder folder;
    folder.scan(store); // an unreadable folder only means nothing is found there
    std::vector<std::uint32_t> takenKeys = folder.takenKeys(store);
    std::vector<CellGrid> seen; // the new puzzles of this import, to take each only once
    bool anyRead = false;

    for (const ImportSource& source : sources_) {
        if (source.problem != SourceProblem::none) {
            std::string text = source.label;
            if (!text.empty()) text += ": ";
            text += sourceProblemText(source.problem);
            summary.addReason(text);
            continue;
        }
        anyRead = true;
        std::vector<NewProblem> fresh;
        for (const CheckedPuzzle& puzzle : source.checked) {
            if (puzzle.verdict != Verdict::accepted) {
                summary.refuse(source.label, puzzle.line, refusalReason(puzzle));
                continue;
            }
            ++summary.accepted;
            if (puzzle.grade == beyondGraderGrade) ++summary.beyondGrader;
            const PuzzlePlace place = folder.find(puzzle.givens);
            if (place.file >= 0) {
                ++summary.alreadyThere;
                if (!outcome.opensFile) {
                    outcome.opensFile = true;
                    std::memcpy(outcome.openName,
                                folder.files()[static_cast<std::size_t>(place.file)].storedName,
                                64);
                    outcome.openIndex = place.problem;
                }
                continue;
            }
            if (std::find(seen.begin(), seen.end(), puzzle.givens) != seen.end()) continue;
            seen.push_back(puzzle.givens);
            fresh.push_back({puzzle.givens, puzzle.grade});
        }
        std::stable_sort(fresh.begin(), fresh.end(), [](const NewProblem& a, const NewProblem& b) {
            return a.grade < b.grade;
        });
        for (std::size_t start = 0; start < fresh.size(); start += maxProblemsPerFile) {
            const int count =
                static_cast<int>(std::min<std::size_t>(maxProblemsPerFile, fresh.size() - start));
            WrittenProblemFile written;
            const NewProblemFileResult result =
                writeNewProblemFile(store, source.stem.c_str(), fallbackStem, fresh.data() + start,
                                    count, importTagLetter, takenKeys, written);
            if (result != NewProblemFileResult::written) {
                // All or nothing: the files already written go again.
                for (const WrittenProblemFile& file : outcome.written)
                    removeProblemFile(store, file.storedName);
                ImportOutcome failed;
                failed.writeFailed = true;
                failed.message = writeFailedText();
                return failed;
            }
            outcome.written.push_back(written);
        }
    }
    if (!outcome.written.empty()) {
        // New puzzles come first: the first new file at its first puzzle.
        outcome.opensFile = true;
        std::memcpy(outcome.openName, outcome.written.front().storedName, 64);
        outcome.openIndex = 0;
    }
    outcome.accepted = summary.accepted;
    outcome.refused = summary.refused;
    outcome.beyondGrader = summary.beyondGrader;
    outcome.alreadyThere = summary.alreadyThere;
    outcome.message = summary.text(!anyRead);
    return outcome;
}

} // namespace korvani
