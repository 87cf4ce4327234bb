#!/usr/bin/env bash
# Builds the libFuzzer targets (build-fuzz: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer), prepares their seed corpora and runs each target
# for SECONDS on its corpus:
#   readFuzzer     TavrRead on arbitrary bytes; seeds: inchi_main's InChI and
#                  AuxInfo lines of the sample records
#   writeFuzzer    TavrPreWrite and TavrWrite on a host molecule built from the
#                  bytes; seeds: the sample records as molecule recipes
#   molfileFuzzer  the converter's SD splitter and molfile reader; seeds: the
#                  sample records as molfiles
# Seeds come from samples/, and from every 8th record of ../shared/data when
# it is there. What a run finds is added to build-fuzz/fuzz-work/corpus/TARGET
# and kept by later runs. A crash, a leak, a broken promise or an input slower
# than 10 s fails the script; libFuzzer prints the input's file, kept in
# build-fuzz/fuzz-work/findings/TARGET/.
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]   (default: 60, all three)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(readFuzzer writeFuzzer molfileFuzzer)

build=$root/build-fuzz
work=$build/fuzz-work
shared=$root/../shared/data
stride=8

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVR_SANITIZE=address -DTAVR_BUILD_FUZZ=ON \
  -DTAVR_BUILD_TESTS=OFF -DTAVR_BUILD_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)" --target readFuzzer writeFuzzer molfileFuzzer writeSeeds >/dev/null

# The SD records the seeds are made of: all of the samples, every 8th record of
# the shared corpora.
rm -rf "$work/sd" "$work/seeds"
mkdir -p "$work/sd" "$work/seeds/read" "$work/seeds/write" "$work/seeds/molfile"
cp samples/*.sdf "$work/sd/"
if [ -d "$shared" ]; then
  for file in "$shared"/*.sdf; do
    awk -v stride=$stride 'BEGIN { n = 0 } { if (n % stride == 0) print } /^\$\$\$\$/ { n++ }' \
      "$file" > "$work/sd/shared-$(basename "$file")"
  done
fi

for file in "$work"/sd/*.sdf; do
  name=$(basename "$file" .sdf)
  # One molfile per record.
  awk -v out="$work/seeds/molfile/$name" \
    'BEGIN { n = 1 } { print > (out "-" n) } /^\$\$\$\$/ { close(out "-" n); n++ }' "$file"
  # inchi_main's InChI and AuxInfo lines, one record per seed.
  (cd "$work" && inchi_main "$file" "$name.out" "$name.log" "$name.prb" >/dev/null 2>&1) || true
  awk -v out="$work/seeds/read/$name" \
    '/^Structure:/ { n = $2 } /^(InChI|AuxInfo)=/ { print > (out "-" n) }' "$work/$name.out"
  rm -f "$work/$name".{out,log,prb}
done
cp fuzz/seeds/* "$work/seeds/molfile/"
"$build/bin/writeSeeds" "$work/seeds/write" 1 "$work"/sd/*.sdf >/dev/null

# The AuxInfo parser takes an atom count of any size and asks calloc for that
# many records: a host's calloc answers a request it cannot meet with null,
# which the parser reports as "Out of RAM". The sanitizer's allocator is told
# to answer so too, for requests over 4 GB, instead of ending the run.
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:max_allocation_size_mb=4096:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

declare -A seedsOf=([readFuzzer]=read [writeFuzzer]=write [molfileFuzzer]=molfile)
declare -A dictOf=([readFuzzer]=fuzz/read.dict [molfileFuzzer]=fuzz/molfile.dict)

for target in "${targets[@]}"; do
  kind=${seedsOf[$target]}
  mkdir -p "$work/corpus/$kind" "$work/findings/$kind"
  dict=()
  [ -n "${dictOf[$target]:-}" ] && dict=(-dict="${dictOf[$target]}")
  printf '== %s for %s s\n' "$target" "$seconds"
  log=$work/$kind.log
  status=0
  "$build/bin/$target" "$work/corpus/$kind" "$work/seeds/$kind" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/findings/$kind/" >"$log" 2>&1 || status=$?
  grep -E '^(stat::|#[0-9]+ +DONE)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "$target failed (its whole log: $log)"
    exit 1
  fi
done
