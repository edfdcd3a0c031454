#include "tools/cli/Commands.h"

std::string helpText() {
    return R"(arachnovix-cli: headless runs and pictures of Arachnovix population files (.axv)

Usage:
  arachnovix-cli evolve [options] --out RUN.axv
  arachnovix-cli info RUN.axv
  arachnovix-cli stats RUN.axv [--csv FILE]
  arachnovix-cli web RUN.axv [--generation G] [--spider I|best] --svg FILE
  arachnovix-cli plot RUN.axv --svg FILE
  arachnovix-cli lineage RUN.axv [--generation G] [--spider I|best] [--csv FILE]
  arachnovix-cli genes RUN.axv --svg FILE
  arachnovix-cli sweep run DESIGN.toml --out DIR [--jobs N] [--force]
  arachnovix-cli sweep report DIR [--measure NAME] [--generation G|last]
                 [--all-pairs] [--partial]
  arachnovix-cli sweep cases DESIGN.toml --out DIR [--force]
  arachnovix-cli sweep slurm DESIGN.toml --out DIR [--cases-per-task K]
                 [--cpus-per-task C] [--signal-before SECONDS]
                 [--submit [--then-report]] [--force]
                 [-- SBATCH OPTIONS]
  arachnovix-cli sweep run-case DIR N [--threads T]
  arachnovix-cli sweep collect DIR
  arachnovix-cli --help | --version

evolve: a new random population (or a saved run) bred exactly as the
program's Run command breeds it; the same seed and options give the same file.
  --population N        spiders, 1 ... 200 (default 24)
  --generations G       generations to breed, 0 ... 10000 (default 100); a run
                        never breeds past generation 10000
  --prey N              prey per evaluation, 0 ... 10000 (default 100; the
                        program's panel offers 10 ... 100)
  --prey-size X         0 ... 200 (default 4)
  --prey-value X        reward per prey caught, 0 ... 1000000 (default 20)
  --attack MODE         off | dist | dist+grav (default off)
  --silk-cost X         silk cost factor, 0 ... 1000000 (default 10)
  --silk-limit UNITS    web units, -1 for no limit, else 0 ... 10000000 (default -1)
  --time-penalty X      time penalty factor, 0 ... 1000000 (default 0)
  --crossover PERCENT   0 ... 100 (default 80)
  --mutation TENTHS     tenths of a percent per bit, 0 ... 1000 (default 2)
  --seed S              0 ... 4294967295; without it a seed is drawn and printed
  --resume RUN.axv      continue a saved run from its last generation, with its
                        settings unless given here (not with --population); a
                        file with a continuation record goes on exactly as the
                        unbroken run (its random streams; --seed is not used)
  --out RUN.axv         the population file to write (required)
  --stats RUN.csv       also write the statistics CSV (as 'stats' does)
  --quiet               no progress and no summary
  --plain               write the published fields alone (no continuation
                        record; such a file resumes with new random streams)
  --checkpoint-every K  save --out every K generations (replaced atomically);
                        SIGTERM, SIGINT or SIGUSR1 finish the generation in
                        hand, save --out and exit with status 130
  --threads N           threads that evaluate the spiders, 1 ... 256 (default:
                        the CPUs the process may use: its affinity mask,
                        capped by a cgroup CPU quota); the same result for any N

info      version, population size, generations, settings, best fitness of the
          first and last generation; whether the file continues exactly, its
          first seed and the settings of its last breeding
stats     CSV: generation,best_fitness,mean_fitness,min_fitness,max_fitness,
          sd_fitness and the count of each origin label (n_initial,
          n_selected,n_crossed,n_selected_mutated,n_crossed_mutated,n_other);
          to standard output without --csv
web       the recorded spider rebuilt from its rules and drawn as SVG
plot      best and mean fitness over the generations as an SVG line chart
lineage   the spider's ancestry back to generation 0 through parentA, as text
          or (--csv) CSV
genes     mean decoded value of each of the 19 genes per generation (at most
          1000 columns), blue at the gene's minimum, red at its maximum

sweep     replicated parameter sweeps of evolve runs (see docs/experiments.md):
          run       every case of a design on N local worker processes (default:
                    the CPUs the process may use); resumable, DIR/results.csv
                    one row per case and generation; exit status 1 when a case
                    failed; a design that gained seeds or factor values runs
                    only the new cases
          report    DIR/report/: per measure a figure of the mean and 95%
                    band per condition (SVG, PNG, PDF); for the chosen measure
                    (default best_fitness) at the chosen generation (default
                    the last): a box and strip plot, summary.csv,
                    comparisons.csv (Welch, Mann-Whitney, Holm, Hedges' g,
                    Cliff's delta) and ranking.txt; refused when a condition
                    lacks replicates (--partial: made anyway, with a warning)
          cases     the single evolve command of every case, one per line
          slurm     DIR/sweep.sbatch, a Slurm job array (--submit calls sbatch;
                    tasks are requeued after SIGUSR1, sent --signal-before
                    seconds (default 300) before the time limit, and go on
                    from their cases' checkpoints;
                    --then-report adds a job that collects and reports after it)
          run-case  one case (what workers and array tasks run)
          collect   merge the finished cases into DIR/results.csv and list the
                    failed and missing ones

Generations are numbered from 0; spiders from 1, as in the program's captions.
--generation defaults to the last generation, --spider to the best spider.

Exit status: 0 done; 1 a file could not be read or written; 2 a bad command
line (option, value or range); 130 stopped by a signal (evolve and sweep
run-case save their run first; continue it with --resume or a rerun).
)";
}
