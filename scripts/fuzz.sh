#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
#   scripts/fuzz.sh [SECONDS] [press|property|states|batch ...]
# What a fuzzer finds is written as build-fuzz/fuzz/<target>-crash-... (or -leak-, -timeout-);
# replay one with build-fuzz/fuzz/<target>_fuzzer FILE. New inputs it learns go to
# build-fuzz/fuzz/corpus-work/<target>/; the seeds in fuzz/corpus/ are never changed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(press property states batch)

scripts/setup.sh
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DVAPOMET_BUILD_FUZZERS=ON -DVAPOMET_BUILD_UI=OFF -DVAPOMET_BUILD_TESTS=OFF \
      -DVAPOMET_BUILD_BENCHMARKS=OFF -DVAPOMET_WERROR=ON -DVAPOMET_FUZZ_SECONDS="$seconds"
cmake --build build-fuzz -j "$(nproc)"
pattern="^fuzz_($(IFS='|'; echo "${targets[*]}"))\$"
ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)" -R "$pattern"
