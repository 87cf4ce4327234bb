#!/usr/bin/env bash
# The whole test suite, from a fresh clone of a fresh Debian 12 machine:
# installs what is missing, builds, and runs
#   1. every test of a Release build,
#   2. every test again under AddressSanitizer + UndefinedBehaviorSanitizer,
#   3. the concurrency tests under ThreadSanitizer,
#   4. valgrind memcheck over whole converter runs on the sample corpora,
#   5. each libFuzzer target for a bounded time on its seed corpus
#      (TAVR_FUZZ_SECONDS per target, default 60).
# Set TAVR_QUICK=1 to run step 1 only.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
jobs=$(nproc)

step() { printf '\n==== %s\n' "$*"; }

step "Release build and full suite"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

[ "${TAVR_QUICK:-0}" = 1 ] && exit 0

step "AddressSanitizer + UndefinedBehaviorSanitizer build and full suite"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVR_SANITIZE=address \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVR_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure

step "ThreadSanitizer build and concurrency tests"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVR_SANITIZE=thread \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAVR_BUILD_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan -j"$jobs" --output-on-failure -L concurrency

step "valgrind memcheck over whole converter runs"
TAVR_BUILD_DIR=build scripts/valgrind-run.sh

if [ -x scripts/fuzz.sh ]; then
  step "Fuzzing, each target for a bounded time"
  scripts/fuzz.sh "${TAVR_FUZZ_SECONDS:-60}"
fi
