#!/usr/bin/env bash
# A sweep run as a Slurm job array must give the table of the same sweep run
# locally, byte for byte; its tasks evaluate on the CPUs they asked for; a
# report job follows the array; cases lost on the cluster can be
# resubmitted; a grown design runs only its new cases; a task stopped with
# SIGUSR1 requeues itself and continues its case from the checkpoint.
# The test starts its own munged and a single-node Slurm (slurmctld, slurmd)
# with a private configuration, folders and ports, stops them by PID
# whatever happens, and fails with the daemons' logs when Slurm cannot start.
# Every wait polls the state it waits for (socket, node, job), however long
# a loaded machine takes, until a daemon dies or the test's time is up
# (WAIT_LIMIT seconds in all, below ctest's limit): then the daemons' logs
# and the state of the node and the jobs are printed.
#
# usage: slurm_sweep.sh ARACHNOVIX-CLI DESIGN.toml
set -euo pipefail
cli=$1
design=$2

wait_limit=${WAIT_LIMIT:-500}
work=$(mktemp -d "${TMPDIR:-/tmp}/arachnovix-slurm.XXXXXX")
chmod 755 "$work"
pids=()

stop_daemons() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for _ in $(seq 50); do
    local alive=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
    [ $alive -eq 0 ] && break
    sleep 0.2
  done
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  pids=()
}
trap 'stop_daemons; rm -rf "$work"' EXIT
trap 'exit 1' TERM INT HUP # a timeout's signal still runs the EXIT trap

fail() {
  echo "FAIL: $*" >&2
  local log
  for log in "$work"/*.log; do
    echo "=== $log" >&2
    tail -n 30 "$log" >&2
  done
  if [ -n "${SLURM_CONF:-}" ]; then
    echo "=== node and jobs" >&2
    sinfo -N -l >&2 2>&1 || true
    squeue -a -r -l >&2 2>&1 || true
    scontrol show job >&2 2>&1 || true
  fi
  exit 1
}

daemons_alive() {
  local pid
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null || fail "a daemon ended (pid $pid)"; done
}

# wait_until WHAT COMMAND...: polls COMMAND until it succeeds; fails when a
# daemon has ended or the test's time is up.
wait_until() {
  local what=$1; shift
  until "$@"; do
    daemons_alive
    [ "$SECONDS" -lt "$wait_limit" ] || fail "timed out after ${SECONDS} s waiting for $what"
    sleep 0.2
  done
}

for tool in munged slurmctld slurmd sbatch squeue sinfo; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done

# Two free TCP ports, different on every run.
free_port() {
  local port
  while :; do
    port=$(( 20000 + RANDOM % 30000 ))
    if ! (exec 3<> "/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return; fi
  done
}
ctld_port=$(free_port)
slurmd_port=$(free_port)
while [ "$slurmd_port" = "$ctld_port" ]; do slurmd_port=$(free_port); done

# munge with its own key and socket
head -c 1024 /dev/urandom > "$work/munge.key"
chmod 400 "$work/munge.key"
munged --foreground --force --key-file="$work/munge.key" --socket="$work/munge.socket" \
  --pid-file="$work/munged.pid" --log-file="$work/munged.log" \
  --seed-file="$work/munged.seed" > "$work/munged.out.log" 2>&1 &
pids+=($!)
wait_until "munged's socket" test -S "$work/munge.socket"

# a single-node cluster without cgroups
host=$(hostname -s)
cpus=$(nproc)
memory=$(( $(awk '/MemTotal/ { print $2 }' /proc/meminfo) / 1024 * 9 / 10 ))
user=$(id -un)
mkdir -p "$work/state" "$work/spool"
cat > "$work/slurm.conf" <<EOF
ClusterName=arachnovix-test
SlurmctldHost=$host(127.0.0.1)
SlurmUser=$user
SlurmdUser=$user
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge.socket
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MailProg=/bin/true
MpiDefault=none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
NodeName=$host NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=$memory State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF="$work/slurm.conf"
slurmctld -D -f "$SLURM_CONF" > "$work/slurmctld.out.log" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" > "$work/slurmd.out.log" 2>&1 &
pids+=($!)
node_idle() { [ "$(sinfo -h -o %T 2>/dev/null)" = "idle" ]; }
wait_until "the Slurm node to come up" node_idle

# The states of the job's array tasks as Slurm's controller holds them.
job_states() {
  scontrol -o show job "$1" 2>/dev/null | sed -n 's/.*JobState=\([A-Z_]*\).*/\1/p'
}
job_finished() {
  local states
  states=$(job_states "$1")
  [ -n "$states" ] || return 1
  ! grep -qvE '^(COMPLETED|FAILED|CANCELLED|TIMEOUT|NODE_FAIL|OUT_OF_MEMORY|BOOT_FAIL)$' \
    <<< "$states"
}
wait_for_job() {
  wait_until "job $1 to finish" job_finished "$1"
  local states
  states=$(job_states "$1" | sort -u)
  [ "$states" = "COMPLETED" ] || fail "job $1 ended as: $(tr '\n' ' ' <<< "$states")"
}

# Runs a submitting command; sets $job to the first id sbatch answered with
# and $report to the second one (the report job), if any.
submit() {
  "$@" > "$work/submit.log" 2>&1 || fail "submitting failed: $(cat "$work/submit.log")"
  local ids
  ids=$(sed -n 's/^Submitted batch job \([0-9]*\).*/\1/p' "$work/submit.log")
  job=$(echo "$ids" | sed -n 1p)
  report=$(echo "$ids" | sed -n 2p)
  [ -n "$job" ] || fail "no job id: $(cat "$work/submit.log")"
}

"$cli" sweep run "$design" --out "$work/local" --jobs 2 2> "$work/local-run.log" ||
  fail "the local sweep failed"

task_cpus=$(( cpus < 2 ? cpus : 2 ))
submit "$cli" sweep slurm "$design" --out "$work/cluster" --cases-per-task 5 \
  --cpus-per-task "$task_cpus" --submit --then-report -- --time=10
[ -n "$report" ] || fail "no report job: $(cat "$work/submit.log")"
wait_for_job "$job"
wait_for_job "$report"
grep -q "^#SBATCH --time=10$" "$work/cluster/sweep.sbatch" || fail "sbatch options are not in the script"
grep -q "^#SBATCH --cpus-per-task=$task_cpus$" "$work/cluster/sweep.sbatch" ||
  fail "the script asks for no CPUs per task"
# Every array task evaluated on the CPUs Slurm gave it.
[ "$(cat "$work/cluster/logs/slurm-${job}"_*.out | grep -c "with --threads $task_cpus$")" = 3 ] ||
  fail "the tasks' threads: $(cat "$work/cluster/logs/slurm-${job}"_*.out)"
# The report job ran after the array: the whole table, the report from it.
cmp "$work/local/results.csv" "$work/cluster/results.csv" ||
  fail "the job array's results.csv differs from the local one"
grep -q "Pairs that differ in one factor" "$work/cluster/report/ranking.txt" ||
  fail "no report: $(cat "$work/cluster/logs/slurm-report-$report.out")"

# A case lost on the cluster is listed with the command that resubmits its task.
rm "$work/cluster/cases/case-0007.csv"
if "$cli" sweep collect "$work/cluster" > "$work/collect.log"; then
  fail "collect did not notice the missing case"
fi
grep -q "^missing cases: 7$" "$work/collect.log" || fail "$(cat "$work/collect.log")"
again=$(grep "^resubmit them with: " "$work/collect.log" | sed 's/^resubmit them with: //')
[ "$again" = "sbatch --array=1 $work/cluster/sweep.sbatch" ] || fail "resubmit line: $again"
submit $again
wait_for_job "$job"
"$cli" sweep collect "$work/cluster" > "$work/collect.log" || fail "collect: $(cat "$work/collect.log")"
cmp "$work/local/results.csv" "$work/cluster/results.csv" || fail "the resubmitted case differs"

# Two more seeds: only the array tasks of the 8 new cases (13 ... 20) run, and
# the table equals that of the grown design run fresh, apart from case numbers.
sed 's/^seeds = .*/seeds = [1, 2, 3, 4, 5]/' "$design" > "$work/grown.toml"
submit "$cli" sweep slurm "$work/grown.toml" --out "$work/cluster" --cases-per-task 5 --submit
grep -q "^#SBATCH --array=2-3$" "$work/cluster/sweep.sbatch" || fail "$(cat "$work/cluster/sweep.sbatch")"
wait_for_job "$job"
[ "$(cat "$work/cluster/logs/slurm-${job}"_*.out)" = "task 2: cases 11-15 with --threads 1
task 3: cases 16-20 with --threads 1" ] || fail "grown tasks: $(cat "$work/cluster/logs/slurm-${job}"_*.out)"
"$cli" sweep collect "$work/cluster" > "$work/collect.log" || fail "collect: $(cat "$work/collect.log")"
"$cli" sweep run "$work/grown.toml" --out "$work/fresh" --jobs 2 2> "$work/fresh-run.log" ||
  fail "the fresh grown sweep failed"
cmp <(cut -d, -f2- "$work/fresh/results.csv") <(cut -d, -f2- "$work/cluster/results.csv") ||
  fail "the grown study's table differs from the fresh one"

# A task stopped before its time limit: SIGUSR1 to the task's script (what
# --signal=B:USR1@SECONDS sends) reaches the running case, which saves its
# checkpoint; the task requeues itself and the requeued task continues the
# case from that generation. The table equals the uninterrupted local one.
long="$work/long.toml"
printf 'generations = 4000\nseeds = [1]\n[fixed]\npopulation = 10\nprey = 30\n[factors]\nattack = ["off", "dist"]\n' > "$long"
"$cli" sweep run "$long" --out "$work/long-local" --jobs 2 2> "$work/long-local.log" ||
  fail "the local long sweep failed"
submit "$cli" sweep slurm "$long" --out "$work/long-cluster" --cases-per-task 2 --signal-before 60 --submit
grep -q "^#SBATCH --requeue$" "$work/long-cluster/sweep.sbatch" || fail "the script may not be requeued"
grep -q "^#SBATCH --signal=B:USR1@60$" "$work/long-cluster/sweep.sbatch" || fail "no signal before the limit"
wait_until "the first checkpoint" test -f "$work/long-cluster/runs/case-0001.axv"
scancel --signal=USR1 --batch "${job}_0" || fail "scancel --signal=USR1 refused"
requeued() { [ "$(scontrol -o show job "${job}_0" | sed -n 's/.*Restarts=\([0-9]*\).*/\1/p')" -ge 1 ]; }
wait_until "the task to requeue itself" requeued
wait_for_job "$job"
grep -q "^case 1: continuing from generation [1-9][0-9]* of its checkpoint" \
  "$work/long-cluster/logs/slurm-${job}_0.out" ||
  fail "the requeued task did not continue: $(cat "$work/long-cluster/logs/slurm-${job}_0.out")"
"$cli" sweep collect "$work/long-cluster" > "$work/collect.log" || fail "collect: $(cat "$work/collect.log")"
cmp "$work/long-local/results.csv" "$work/long-cluster/results.csv" ||
  fail "the stopped and requeued sweep's table differs from the uninterrupted one"

# Folder names a batch script must carry: a space, a tab, quotes, "%" and
# "$(...)" reach sbatch as they are (the tasks' logs land in the folder's
# logs/, nothing is run); a line break is refused before anything is made.
# Submitted from $work, so a command that did run would leave PWNED there.
tiny="$work/tiny.toml"
printf 'generations = 1\nseeds = [1, 2]\n[fixed]\npopulation = 2\n' > "$tiny"
odd="$work/odd dir"$'\t'"'q\" 100%x %A \$(touch PWNED) \`touch PWNED\`"
cd "$work"
"$cli" sweep slurm "$tiny" --out "$odd" > "$work/odd.log" 2>&1 || fail "slurm: $(cat "$work/odd.log")"
sbatch --test-only "$odd/sweep.sbatch" > "$work/test-only.log" 2>&1 ||
  fail "sbatch --test-only refused the script: $(cat "$work/test-only.log")"
grep -q "to start at" "$work/test-only.log" || fail "sbatch --test-only: $(cat "$work/test-only.log")"
submit sbatch "$odd/sweep.sbatch"
wait_for_job "$job"
for task in 0 1; do
  [ -f "$odd/logs/slurm-${job}_$task.out" ] || fail "task $task's log is not in $odd/logs: $(ls "$odd/logs")"
done
"$cli" sweep collect "$odd" > "$work/collect.log" || fail "collect: $(cat "$work/collect.log")"
[ ! -e "$work/PWNED" ] || fail "a folder name was run as a command"
broken="$work/broken"$'\n'"touch PWNED"
if "$cli" sweep slurm "$tiny" --out "$broken" > "$work/broken.log" 2>&1; then
  fail "a folder name with a line break was taken"
fi
grep -q "line break" "$work/broken.log" || fail "refusal: $(cat "$work/broken.log")"
[ ! -e "$broken" ] && [ ! -e "$work/PWNED" ] || fail "the refused folder was made or run"
cd - > /dev/null
echo "slurm sweep: job array results equal the local run's, also after growing and after a requeue"
