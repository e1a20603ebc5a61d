#!/usr/bin/env bash
# validate.sh FAIL_PATTERN COMMAND [ARGUMENT...]
# Runs a checker on a file of the package. Fails if the checker fails, or if a line of what it
# prints matches FAIL_PATTERN (an extended regular expression): an error or a warning.
set -uo pipefail
pattern=$1
shift
output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
if [ "$status" -ne 0 ]; then
  echo "FAILED: $* exited with status $status" >&2
  exit 1
fi
if printf '%s\n' "$output" | grep -Eq -- "$pattern"; then
  echo "FAILED: $* reported a problem (a line matches '$pattern')" >&2
  exit 1
fi
echo "OK: $*"
