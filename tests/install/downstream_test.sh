#!/usr/bin/env bash
# downstream_test.sh CMAKE GENERATOR CXX EXAMPLE SCRATCH PREFIX [BUILD_TREE]
# Builds the example project EXAMPLE against the property library installed under PREFIX and
# checks what it prints against the published check values. With BUILD_TREE, first installs
# Vapomet from that build tree into PREFIX.
set -euo pipefail
cmake=$1 generator=$2 cxx=$3 example=$4 scratch=$5 prefix=$6 build_tree=${7:-}

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch"
mkdir -p "$scratch"
if [ -n "$build_tree" ]; then
  rm -rf "$prefix"
  "$cmake" --install "$build_tree" --prefix "$prefix"
fi

# The exported target carries none of the project's own compile options.
package_files=$(find "$prefix" -path '*/cmake/vapomet/*.cmake')
[ -n "$package_files" ] || fail "no CMake package files of vapomet under $prefix"
for file in $package_files; do
  if grep -En -- '-W(all|error|extra)|fp-contract|rounding-math|fast-math|vapomet_warnings' "$file"; then
    fail "$file carries the project's own compile options"
  fi
done

# The example builds with warnings as errors: the installed header is clean on its own.
"$cmake" -S "$example" -B "$scratch/build" -G "$generator" -DCMAKE_CXX_COMPILER="$cxx" \
         -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror"
"$cmake" --build "$scratch/build"
output=$("$scratch/build/steam_check")
printf '%s\n' "$output"

# label | published value | relative tolerance
while IFS='|' read -r label wanted tolerance; do
  line=$(printf '%s\n' "$output" | grep -F -- "$label" || true)
  [ -n "$line" ] || { fail "no line '$label'"; continue; }
  got=$(printf '%s\n' "$line" | sed 's/.*= *//; s/ .*//')
  if awk -v g="$got" -v w="$wanted" -v t="$tolerance" \
       'BEGIN { d = g - w; if (d < 0) d = -d; exit !(d <= t * w) }'; then
    echo "$label: $got, as published ($wanted)"
  else
    fail "$label is $got, not $wanted within $tolerance"
  fi
done <<VALUES
Psat(373.15 K)|0.101418|5e-6
Psat(300 K)|0.353658941e-2|1e-8
Tsat(0.1 MPa)|0.372755919e3|1e-8
h(3 MPa, 300 K)|0.115331273e3|1e-8
VALUES

# A project that asks for another major version does not find this one.
for wanted in 0.9 2.0; do
  mkdir -p "$scratch/wants-$wanted"
  printf 'cmake_minimum_required(VERSION 3.25)\nproject(wants LANGUAGES CXX)\nfind_package(vapomet %s REQUIRED)\n' \
    "$wanted" >"$scratch/wants-$wanted/CMakeLists.txt"
  if "$cmake" -S "$scratch/wants-$wanted" -B "$scratch/wants-$wanted/build" -G "$generator" \
       -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/wants-$wanted.log" 2>&1; then
    fail "find_package(vapomet $wanted) accepted the installed version"
  elif ! grep -q "version" "$scratch/wants-$wanted.log"; then
    cat "$scratch/wants-$wanted.log" >&2
    fail "find_package(vapomet $wanted) failed, but not over the version"
  else
    echo "find_package(vapomet $wanted): refused, as it should be"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the downstream build failed" >&2
  exit 1
fi
echo "The downstream project built against $prefix and printed the published values"
