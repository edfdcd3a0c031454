#include "tools/cli/sweep/SweepFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <map>
#include <sys/stat.h>

#include "tools/cli/CliError.h"
#include "tools/cli/OutputCheck.h"
#include "tools/cli/sweep/SweepCaseRows.h"
#include "tools/cli/sweep/SweepGrowth.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

const char* const DESIGN_FILE = "design.toml";
const char* const INDEX_FILE = "case-index.csv";
const char* const SUBFOLDERS[] = {"cases", "runs", "logs"};
constexpr size_t MIN_CASE_DIGITS = 4;
// What the atomic writer adds to the name of its temporary file.
const char* const TEMP_MARK = ".tmp-";
constexpr size_t MAX_DESIGN_BYTES = size_t(16) << 20;
constexpr size_t MAX_NOTE_BYTES = size_t(64) << 10;

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

} // namespace

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        throw fileError("cannot make the folder " + path + ": " + std::strerror(errno));
}

std::string joinPath(const std::string& dir, const std::string& name) {
    return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

SweepFolder::SweepFolder(const std::string& dir, const SweepDesign& design)
    : dir_(dir), design_(design) {}

SweepFolder::SweepFolder(const std::string& dir) : dir_(dir) {
    const std::string path = joinPath(dir, DESIGN_FILE);
    if (!pathExists(path))
        throw fileError(dir + " holds no sweep (" + path + " is missing)");
    // Its case count was accepted when the sweep was made.
    design_ = parseDesign(readWholeFile(path, MAX_DESIGN_BYTES), path, true);
    const std::string index = joinPath(dir, INDEX_FILE);
    if (pathExists(index))
        cases_ = parseCaseIndex(readWholeFile(index), design_, index);
}

SweepFolder SweepFolder::plan(const std::string& designPath, const std::string& dir, bool force) {
    return open(designPath, dir, force, false);
}

SweepFolder SweepFolder::create(const std::string& designPath, const std::string& dir, bool force) {
    return open(designPath, dir, force, true);
}

SweepFolder SweepFolder::open(const std::string& designPath, const std::string& dir, bool force,
                              bool write) {
    const std::string text = readWholeFile(designPath, MAX_DESIGN_BYTES);
    SweepFolder folder(dir, parseDesign(text, designPath, force));
    const std::string copy = joinPath(dir, DESIGN_FILE), index = joinPath(dir, INDEX_FILE);
    if (pathExists(copy)) {
        const SweepFolder existing(dir);
        if (readWholeFile(copy, MAX_DESIGN_BYTES) == text)
            return existing;
        const std::string why = growthRefusal(existing.design_, folder.design_);
        if (!why.empty())
            throw usageError(dir + " holds a study of another design: " + why +
                             "; a changed study needs a new --out folder");
        folder.cases_ =
            grownCases(existing.cases_.empty() ? expandDesign(existing.design_) : existing.cases_,
                       folder.design_);
    } else if (folder.caseCount() <= MAX_CASES_WITHOUT_FORCE) {
        folder.cases_ = expandDesign(folder.design_);
    }
    if (!write)
        return folder;
    refuseSameFile({"the results", folder.resultsPath()}, {{"the design", designPath}});
    makeFolder(dir);
    // The index first: a study cut off here still knows every number.
    if (!folder.cases_.empty())
        writeSweepFile(index, caseIndexCsv(folder.design_, folder.cases_));
    writeSweepFile(copy, text);
    for (const char* sub : SUBFOLDERS)
        makeFolder(joinPath(dir, sub));
    return folder;
}

long long SweepFolder::caseCount() const {
    return cases_.empty() ? design_.caseCount() : static_cast<long long>(cases_.size());
}

SweepCase SweepFolder::caseAt(long long k) const {
    return cases_.empty() ? designCase(design_, k) : cases_.at(static_cast<size_t>(k - 1));
}

std::vector<long long> SweepFolder::designOrder() const {
    std::vector<long long> out;
    if (cases_.empty()) {
        for (long long k = 1; k <= caseCount(); ++k)
            out.push_back(k);
        return out;
    }
    const std::map<CaseKey, long long> numbers = numbersByKey(cases_);
    for (const SweepCase& c : expandDesign(design_)) {
        const auto it = numbers.find({c.levels, c.seed});
        if (it != numbers.end())
            out.push_back(it->second);
    }
    return out;
}

std::string SweepFolder::casePath(const char* folder, long long k, const char* extension) const {
    std::string number = std::to_string(k);
    if (number.size() < MIN_CASE_DIGITS)
        number.insert(0, MIN_CASE_DIGITS - number.size(), '0');
    return joinPath(joinPath(dir_, folder), "case-" + number + extension);
}

std::string SweepFolder::rowsPath(long long k) const {
    return casePath("cases", k, ".csv");
}
std::string SweepFolder::failurePath(long long k) const {
    return casePath("cases", k, ".failed");
}
std::string SweepFolder::runPath(long long k) const {
    return casePath("runs", k, ".axv");
}
std::string SweepFolder::logPath(long long k) const {
    return casePath("logs", k, ".log");
}
std::string SweepFolder::resultsPath() const {
    return joinPath(dir_, "results.csv");
}

namespace {

// A case whose rows file is there: done when it is whole and valid.
CaseStatus rowsStatus(const SweepFolder& folder, long long k) {
    CaseStatus s;
    std::string why;
    const std::string path = folder.rowsPath(k);
    const std::string failed = "case " + std::to_string(k) + " failed: " + path;
    if (!tryReadSweepFile(path, maxCaseRowsBytes(folder.design()), s.rows, why))
        s.reason = failed + " cannot be read: " + why;
    else if (!(why = caseRowsProblem(folder, k, s.rows)).empty())
        s.reason = failed + " is damaged: " + why;
    s.state = s.reason.empty() ? CaseState::Done : CaseState::Failed;
    if (s.state == CaseState::Failed)
        s.rows.clear();
    return s;
}

// A case with a failure note: the note's first line is the reason.
CaseStatus noteStatus(const SweepFolder& folder, long long k) {
    CaseStatus s;
    s.state = CaseState::Failed;
    std::string note, why;
    if (tryReadSweepFile(folder.failurePath(k), MAX_NOTE_BYTES, note, why))
        s.reason = firstLine(note);
    else
        s.reason = "case " + std::to_string(k) + " failed (its note " + folder.failurePath(k) +
                   " cannot be read: " + why + ")";
    return s;
}

} // namespace

CaseStatus SweepFolder::status(long long k) const {
    if (pathExists(rowsPath(k)))
        return rowsStatus(*this, k);
    if (pathExists(failurePath(k)))
        return noteStatus(*this, k);
    return CaseStatus{};
}

void SweepFolder::removeLeftovers() const {
    for (const char* sub : SUBFOLDERS) {
        const std::string folder = joinPath(dir_, sub);
        DIR* d = ::opendir(folder.c_str());
        if (!d)
            continue;
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.rfind("case-", 0) == 0 && name.find(TEMP_MARK) != std::string::npos)
                std::remove(joinPath(folder, name).c_str());
        }
        ::closedir(d);
    }
}

std::vector<std::string> SweepFolder::caseWords(long long k) const {
    return evolveWords(design_, caseAt(k), runPath(k));
}

std::string SweepFolder::caseCommand(long long k) const {
    std::vector<std::string> words = caseWords(k);
    words.insert(words.begin(), {"arachnovix-cli", "evolve"});
    return shellCommand(words);
}

std::string resultsHeader(const SweepDesign& design) {
    std::string out = "case";
    for (const DesignFactor& f : design.factors)
        out += "," + f.name;
    for (const DesignSetting& s : design.fixed)
        out += "," + s.name;
    return out + ",seed,generation," + measureNames() + "\n";
}

CollectResult collectResults(const SweepFolder& folder) {
    CollectResult r;
    std::string table = resultsHeader(folder.design());
    for (long long k : folder.designOrder()) {
        const CaseStatus s = folder.status(k);
        switch (s.state) {
        case CaseState::Done:
            table += s.rows;
            ++r.done;
            break;
        case CaseState::Failed:
            r.failed.push_back(k);
            r.reasons.push_back(s.reason);
            break;
        case CaseState::Missing:
            r.missing.push_back(k);
            break;
        }
    }
    std::sort(r.failed.begin(), r.failed.end());
    std::sort(r.missing.begin(), r.missing.end());
    writeSweepFile(folder.resultsPath(), table);
    return r;
}

std::string numberRanges(const std::vector<long long>& numbers) {
    std::string out;
    for (size_t k = 0; k < numbers.size();) {
        size_t end = k;
        while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1)
            ++end;
        out += (out.empty() ? "" : ",") + std::to_string(numbers[k]);
        if (end > k)
            out += "-" + std::to_string(numbers[end]);
        k = end + 1;
    }
    return out;
}
