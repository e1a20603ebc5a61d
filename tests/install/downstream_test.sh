#!/usr/bin/env bash
# downstream_test.sh CMAKE GENERATOR CXX EXAMPLE SCRATCH PREFIX
# Builds the example project EXAMPLE against the property library installed under PREFIX, with
# warnings as errors, and checks what it prints against the published check values; a project
# that asks for another major version must not find this one.
set -euo pipefail
cmake=$1 generator=$2 cxx=$3 example=$4 scratch=$5 prefix=$6
rm -rf "$scratch" && mkdir -p "$scratch/wants-2.0"

# The exported target carries none of the project's own compile options.
if grep -En -- '-W(all|error|extra)|fp-contract|rounding-math|vapomet_warnings' \
     $(find "$prefix" -path '*/cmake/vapomet/*.cmake'); then
  echo "FAILED: the CMake package carries the project's own compile options" >&2; exit 1
fi
"$cmake" -S "$example" -B "$scratch/build" -G "$generator" -DCMAKE_CXX_COMPILER="$cxx" \
         -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror"
"$cmake" --build "$scratch/build"
output=$("$scratch/build/steam_check") && printf '%s\n' "$output"
# label | published value | relative tolerance
while IFS='|' read -r label wanted tolerance; do
  got=$(grep -F -- "$label" <<<"$output" | sed 's/.*= *//; s/ .*//')
  awk -v g="${got:-0}" -v w="$wanted" -v t="$tolerance" 'BEGIN { exit !((g - w) ^ 2 <= (t * w) ^ 2) }' ||
    { echo "FAILED: $label is '$got', not $wanted" >&2; exit 1; }
done <<VALUES
Psat(373.15 K)|0.101418|5e-6
Psat(300 K)|0.353658941e-2|1e-8
Tsat(0.1 MPa)|0.372755919e3|1e-8
h(3 MPa, 300 K)|0.115331273e3|1e-8
T(3 MPa, h)|300|1e-12
VALUES

printf 'cmake_minimum_required(VERSION 3.25)\nproject(wants LANGUAGES CXX)\nfind_package(vapomet 2.0 REQUIRED)\n' \
  >"$scratch/wants-2.0/CMakeLists.txt"
if "$cmake" -S "$scratch/wants-2.0" -B "$scratch/wants-2.0/build" -G "$generator" \
     -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/wants-2.0.log" 2>&1; then
  echo "FAILED: find_package(vapomet 2.0) accepted version 1" >&2; exit 1
fi
grep -q "version" "$scratch/wants-2.0.log" || { cat "$scratch/wants-2.0.log" >&2; exit 1; }
echo "The downstream project built against $prefix and printed the published values"
