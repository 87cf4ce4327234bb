#!/usr/bin/env bash
# Measures what the driver costs on top of the InChI library, in one run on
# the same molecules, and writes the figures to BUILD_DIR/bench.json:
#   1. write: TavrWrite against GetINCHI alone on the same input records, and
#      the driver's own steps with GetINCHI's answer handed in;
#   2. read: TavrRead against the AuxInfo parser alone on the same texts;
#   3. scaling of the atom table and the structure builder, 10 to 32,767 atoms;
#   4. end to end: tavr-inchi write (--jobs 1, like inchi_main one process)
#      against inchi_main on the same SD file;
#   5. tavr-inchi write --jobs N against --jobs 1.
# Times are medians over repetitions (CPU time inside a process, wall time for
# whole processes); the write and read ratios are also counted in instructions
# under callgrind, which the load of other processes does not move.
#
# Usage: scripts/bench.sh [BUILD_DIR]     (default: build)
# Environment: TAVR_BENCH_REPS (repetitions, default 5), TAVR_BENCH_ROUNDS
# (whole-process rounds, default 5), TAVR_BENCH_CALLGRIND=0 skips the counts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
reps=${TAVR_BENCH_REPS:-5}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target tavr-bench tavr-inchi

timings="$build/bench-timings.json"
"$build/bin/tavr-bench" \
  --benchmark_repetitions="$reps" \
  --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$timings" --benchmark_out_format=json

python3 scripts/benchFigures.py --build "$build" --timings "$timings" \
  --rounds "${TAVR_BENCH_ROUNDS:-5}" --callgrind "${TAVR_BENCH_CALLGRIND:-1}" \
  --out "$build/bench.json"
