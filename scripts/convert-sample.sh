#!/usr/bin/env bash
# The main job on a fresh machine: install what is missing, build, and convert
# a bundled sample SD file to InChI with the converter (arguments, if any, go
# to "tavr-inchi write" in place of the sample).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tavr-inchi tavrinchi >/dev/null

if [ $# -eq 0 ]; then
  set -- samples/plain2d-sample.sdf
fi
exec build/bin/tavr-inchi write "$@"
