#pragma once
// The folder of a sweep: the design it runs (design.toml), what each case
// number stands for (case-index.csv), one file of result rows per finished case (cases/case-N.csv,
// written whole or not at all), a note per failed case (cases/case-N.failed), the run files
// (runs/case-N.axv, kept when the design asks), the workers' logs (logs/)
// and the merged table (results.csv).

#include <string>
#include <vector>

#include "tools/cli/sweep/SweepDesign.h"
#include "tools/cli/sweep/SweepFiles.h"

enum class CaseState { Done, Failed, Missing };

// Where a case stands. A case is done only when its rows file is whole and
// valid; a damaged or unreadable one counts as failed, with the reason.
struct CaseStatus {
    CaseState state = CaseState::Missing;
    std::string reason; // why it failed (one line)
    std::string rows;   // the rows of a finished case
};

class SweepFolder {
  public:
    // Opens the sweep in `dir`, reading its design.
    explicit SweepFolder(const std::string& dir);
    // Reads and checks the design file, then makes `dir` and its
    // subfolders. A sweep already there must run the same design, or one
    // that only adds seeds or factor values (the study grows: its cases keep
    // their numbers, the new ones are numbered on); any other change is
    // refused, naming the key.
    static SweepFolder create(const std::string& designPath, const std::string& dir, bool force);
    // The sweep that `create` would make, without touching the disk.
    static SweepFolder plan(const std::string& designPath, const std::string& dir, bool force);

    const std::string& dir() const { return dir_; }
    const SweepDesign& design() const { return design_; }
    long long caseCount() const;
    // Case k (1 ... caseCount()): its factor values and seed.
    SweepCase caseAt(long long k) const;
    // The case numbers in the design's order (the first factor slowest, the
    // seed fastest), the order of the rows of results.csv.
    std::vector<long long> designOrder() const;

    std::string rowsPath(long long k) const;
    std::string failurePath(long long k) const;
    std::string runPath(long long k) const;
    std::string logPath(long long k) const;
    std::string resultsPath() const;

    CaseStatus status(long long k) const;
    CaseState state(long long k) const { return status(k).state; }
    // Removes the temporary files of case outputs whose writer was killed
    // before it could rename them into place.
    void removeLeftovers() const;
    // The `evolve` words (and the command line) that run case k.
    std::vector<std::string> caseWords(long long k) const;
    std::string caseCommand(long long k) const;

  private:
    SweepFolder(const std::string& dir, const SweepDesign& design);
    static SweepFolder open(const std::string& designPath, const std::string& dir, bool force,
                            bool write);
    std::string casePath(const char* folder, long long k, const char* extension) const;

    std::string dir_;
    SweepDesign design_;
    // Every case by number once the study has an index; empty: the cases
    // are numbered in the design's order.
    std::vector<SweepCase> cases_;
};

// The header line of results.csv: case, each factor, each fixed setting,
// seed, generation and the measures.
std::string resultsHeader(const SweepDesign& design);

struct CollectResult {
    long long done = 0;
    std::vector<long long> failed;
    std::vector<std::string> reasons; // of each failed case
    std::vector<long long> missing;
    bool complete() const { return failed.empty() && missing.empty(); }
};

// Writes results.csv from the finished cases, in the design's order, and
// says which cases are failed or missing.
CollectResult collectResults(const SweepFolder& folder);

// "3,5-9,12" for ascending numbers (the syntax of Slurm's --array).
std::string numberRanges(const std::vector<long long>& numbers);

// Makes a folder unless it exists (a file error when it cannot).
void makeFolder(const std::string& path);
// dir/name.
std::string joinPath(const std::string& dir, const std::string& name);
