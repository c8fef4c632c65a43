// Reading the problem files beside the executable into an index of their givens and keys.
#include "progress/problem_folder.h"

#include "core/problem_file.h"
#include "files/open_file.h"
#include "progress/file_names.h"

#include <algorithm>

namespace korvani {

namespace {

struct ScanContext {
    const ProgressStore* store;
    std::vector<FolderProblemFile>* files;
};

void readListedFile(void* context, const char (&storedName)[64]) {
    auto& scan = *static_cast<ScanContext*>(context);
    char path[problemPathCapacity];
    if (!problemFilePathFor(*scan.store, storedName, path, sizeof path)) return;
    std::FILE* file = openFile(path, "r");
    if (file == nullptr) return;
    Problem slots[maxProblemsPerFile];
    const ProblemLines lines = readProblemLines(file, slots, nullptr);
    std::fclose(file);
    if (lines.count == 0) return;
    FolderProblemFile& listed = scan.files->emplace_back();
    std::copy(storedName, storedName + 64, listed.storedName);
    listed.key = lines.key;
    listed.problemCount = lines.count;
    for (int i = 0; i < lines.count; ++i) listed.givens[i] = slots[i].givens;
}

bool entryBefore(const CellGrid& a, const PuzzlePlace& placeA, const CellGrid& b,
                 const PuzzlePlace& placeB) {
    if (a != b) return a < b;
    if (placeA.file != placeB.file) return placeA.file < placeB.file;
    return placeA.problem < placeB.problem;
}

} // namespace

bool ProblemFolder::scan(const ProgressStore& store) {
    files_.clear();
    index_.clear();
    ScanContext context{&store, &files_};
    if (!forEachProblemFile(store, readListedFile, &context)) return false;
    for (int f = 0; f < int(files_.size()); ++f) {
        for (int p = 0; p < files_[f].problemCount; ++p)
            index_.push_back(Entry{files_[f].givens[p], PuzzlePlace{f, p}});
    }
    std::sort(index_.begin(), index_.end(), [](const Entry& a, const Entry& b) {
        return entryBefore(a.givens, a.place, b.givens, b.place);
    });
    return true;
}

PuzzlePlace ProblemFolder::find(const CellGrid& givens) const {
    const auto found = std::lower_bound(
        index_.begin(), index_.end(), givens,
        [](const Entry& entry, const CellGrid& wanted) { return entry.givens < wanted; });
    if (found == index_.end() || found->givens != givens) return {};
    return found->place;
}

std::vector<std::uint32_t> ProblemFolder::takenKeys(const ProgressStore& store) const {
    std::vector<std::uint32_t> keys;
    for (const ProgressRecord& record : store.records) keys.push_back(record.fileKey);
    for (const FolderProblemFile& file : files_) keys.push_back(file.key);
    return keys;
}

} // namespace korvani
