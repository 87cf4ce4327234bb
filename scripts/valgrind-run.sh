#!/usr/bin/env bash
# valgrind memcheck over whole runs of the converter, which loads the driver
# module as a host does: tavr-inchi write on the sample corpora, then
# tavr-inchi read of what it wrote. Any memcheck error or leak (definite,
# indirect or possible) in any process of the runs fails the script. The only
# suppressions are the InChI library's own faults (tests/write/libinchi.supp).
# Usage: scripts/valgrind-run.sh [SD FILE...]   (default: samples/*.sdf)
# TAVR_BUILD_DIR names the build to use (default: build, built when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${TAVR_BUILD_DIR:-build}
inputs=("$@")
[ ${#inputs[@]} -gt 0 ] || inputs=(samples/*.sdf)

if [ ! -x "$build/bin/tavr-inchi" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target tavr-inchi tavrinchi >/dev/null

work=$build/valgrind-work
rm -rf "$work"
mkdir -p "$work"

# One log per process: the converter may hand records to forked workers,
# which valgrind follows.
memcheck=(valgrind --tool=memcheck --leak-check=full
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible
  --suppressions="$root/tests/write/libinchi.supp" --num-callers=30)

run() {
  local name=$1
  shift
  local status=0
  "${memcheck[@]}" --log-file="$work/$name.%p.log" "$build/bin/tavr-inchi" "$name" "$@" >"$work/$name.out" \
    2>"$work/$name.err" || status=$?
  # 0: every record converted; 1: some record was refused, which the
  # comparison below tells apart from a fault.
  if [ "$status" -gt 1 ]; then
    echo "tavr-inchi $name ended with status $status:"
    tail -n 20 "$work/$name.err"
    exit 1
  fi
}

run write "${inputs[@]}"
run read "$work/write.out"

records=$(grep -c '^\$\$\$\$' "${inputs[@]}" | awk -F: '{ n += $NF } END { print n }')
written=$(grep -c '^InChI=' "$work/write.out" || true)
read_back=$(grep -c '^\$\$\$\$' "$work/read.out" || true)
printf 'records %s, InChIs written %s, structures read back %s\n' "$records" "$written" "$read_back"

failed=0
for log in "$work"/*.log; do
  if ! grep -q 'ERROR SUMMARY: 0 errors' "$log"; then
    echo "== $log"
    cat "$log"
    failed=1
  fi
done
processes=$(ls "$work"/*.log | wc -l)
if [ "$failed" -ne 0 ]; then
  echo "valgrind found errors or leaks"
  exit 1
fi
echo "valgrind: no errors and no leaks in $processes processes"
