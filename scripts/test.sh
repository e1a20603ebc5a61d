#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, checks the formatting, builds Vapomet with its tests and runs every
# test: the normal build, the same build under AddressSanitizer and UndefinedBehaviorSanitizer,
# and each fuzzer for a minute (FUZZ_SECONDS sets another time; 0 leaves the fuzzers out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== Formatting"
# Every C++ file as .clang-format lays it out; a file that deviates fails the run.
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null ||
                       find property driver cli ui tests fuzz bench examples -name '*.cpp' -o -name '*.h')
clang-format --dry-run -Werror "${sources[@]}"

echo "== Normal build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAPOMET_WERROR=ON -DVAPOMET_BUILD_UI=ON \
      -DVAPOMET_BUILD_TESTS=ON -DVAPOMET_BUILD_BENCHMARKS=ON
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Sanitized build and tests"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAPOMET_SANITIZE=ON \
      -DVAPOMET_BUILD_TESTS=ON -DVAPOMET_BUILD_BENCHMARKS=OFF -DVAPOMET_WERROR=ON
cmake --build build-sanitize -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

seconds=${FUZZ_SECONDS:-60}
if [ "$seconds" != 0 ]; then
  echo "== Fuzzers, ${seconds} s each"
  scripts/fuzz.sh "$seconds"
fi
