#!/usr/bin/env bash
# Fuzzes one target for a while with libFuzzer: fuzz/run.sh TARGET SECONDS
# Builds the fuzz targets with clang in build-fuzz/ and grows the target's corpus; every crash is
# written to fuzz/crashes/ — copy it into the corpus once it is fixed, so it stays fixed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
target=${1:?usage: fuzz/run.sh TARGET SECONDS}
seconds=${2:-60}
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARVEL_FUZZ=ON -DTARVEL_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "fuzz-$target"
mkdir -p "$here/crashes" "$build/corpus-$target"
"$build/bin/fuzz-$target" -max_total_time="$seconds" -artifact_prefix="$here/crashes/" \
    "$build/corpus-$target" "$here/corpus/$target"
