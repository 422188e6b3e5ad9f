#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UndefinedBehavior-
# Sanitizer into build/fuzz, and runs each one from its seed corpus for a time.
#   fuzz.sh [SECONDS [TARGET...]]    30 seconds a target, every target by default
# What a run finds that breaks a property is kept in build/fuzz/findings; the inputs it
# adds to the corpus stay in build/fuzz/corpus, never in the repository's seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
corpora=tests/fuzz/corpus
if [ $# -gt 0 ]; then targets=("$@"); else targets=($(ls "$corpora")); fi

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DBRASK_WERROR=ON -DBRASK_FUZZ=ON > /dev/null
cmake --build build/fuzz -j2 --target brask_fuzz_targets

mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$target"
  echo "fuzzing $target for $seconds s"
  # New inputs go to the first corpus folder; the seeds are only read.
  build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/findings/$target-" "build/fuzz/corpus/$target" "$corpora/$target" \
    2> "build/fuzz/$target.log" || { tail -n 60 "build/fuzz/$target.log" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "build/fuzz/$target.log" | tail -n 2
done
