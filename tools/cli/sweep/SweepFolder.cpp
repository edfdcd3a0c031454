#include "tools/cli/sweep/SweepFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

#include "tools/cli/CliError.h"
#include "tools/cli/OutputCheck.h"
#include "tools/cli/sweep/SweepCaseRows.h"
#include "tools/cli/sweep/SweepMeasures.h"

namespace {

const char* const DESIGN_FILE = "design.toml";
const char* const SUBFOLDERS[] = {"cases", "runs", "logs"};
constexpr int MIN_CASE_DIGITS = 4;
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
}

SweepFolder SweepFolder::plan(const std::string& designPath, const std::string& dir, bool force) {
    return SweepFolder(dir,
                       parseDesign(readWholeFile(designPath, MAX_DESIGN_BYTES), designPath, force));
}

SweepFolder SweepFolder::create(const std::string& designPath, const std::string& dir, bool force) {
    const std::string text = readWholeFile(designPath, MAX_DESIGN_BYTES);
    const SweepDesign design = parseDesign(text, designPath, force);
    const SweepFolder folder(dir, design);
    refuseSameFile({"the results", folder.resultsPath()}, {{"the design", designPath}});
    makeFolder(dir);
    const std::string copy = joinPath(dir, DESIGN_FILE);
    if (pathExists(copy)) {
        if (readWholeFile(copy, MAX_DESIGN_BYTES) != text)
            throw usageError(dir + " holds a sweep of another design (" + copy +
                             "); give another --out folder");
    } else {
        writeSweepFile(copy, text);
    }
    for (const char* sub : SUBFOLDERS)
        makeFolder(joinPath(dir, sub));
    return folder;
}

std::string SweepFolder::casePath(const char* folder, long long k, const char* extension) const {
    std::string number = std::to_string(k);
    const size_t width =
        std::max<size_t>(MIN_CASE_DIGITS, std::to_string(design_.caseCount()).size());
    if (number.size() < width)
        number.insert(0, width - number.size(), '0');
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
    return evolveWords(design_, designCase(design_, k), runPath(k));
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
    return out + ",seed,generation," + measureNames() + "\n";
}

CollectResult collectResults(const SweepFolder& folder) {
    CollectResult r;
    std::string table = resultsHeader(folder.design());
    for (long long k = 1; k <= folder.design().caseCount(); ++k) {
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
