#!/usr/bin/env bash
# Compiles the Windows-only calls of the program (ui/win32, no Qt) with the MinGW-w64 cross
# compiler, links them into a DLL with the Windows libraries and nothing left undefined, and
# checks that the DLL imports every Windows function the calls use.
#   scripts/cross-check-windows.sh [OUTPUT_FOLDER]
# Exit status 77 when the cross compiler is not installed (scripts/setup.sh installs it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cxx="${MINGW_CXX:-x86_64-w64-mingw32-g++}"
objdump="${MINGW_OBJDUMP:-x86_64-w64-mingw32-objdump}"
if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "cross-check-windows: $cxx is not installed; nothing checked" >&2
  exit 77
fi

if [ $# -ge 1 ]; then
  out="$1"
  mkdir -p "$out"
else
  out="$(mktemp -d)"
  trap 'rm -rf "$out"' EXIT
fi

flags=(-std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Werror -I "$root")
echo "$("$cxx" --version | head -n 1)"
set -x
"$cxx" "${flags[@]}" -c "$root/ui/win32/win32_calls.cpp" -o "$out/win32_calls.o"
"$cxx" -shared -static -Wl,--no-undefined -o "$out/win32_calls.dll" "$out/win32_calls.o" \
       -ladvapi32 -luser32
{ set +x; } 2>/dev/null

# The functions the calls use, and the library each must come from.
expected=(ADVAPI32.dll:RegOpenKeyExA ADVAPI32.dll:RegQueryValueExA ADVAPI32.dll:RegCloseKey
          USER32.dll:GetSysColor)
imports="$("$objdump" -p "$out/win32_calls.dll")"
status=0
for entry in "${expected[@]}"; do
  dll="${entry%%:*}"
  function="${entry#*:}"
  # The import table lists each library's functions under its "DLL Name" line.
  if ! awk -v dll="$dll" -v fn="$function" '
         /DLL Name:/ { current = toupper($3) }
         current == toupper(dll) && $NF == fn { found = 1 }
         END { exit found ? 0 : 1 }' <<<"$imports"; then
    echo "cross-check-windows: $out/win32_calls.dll does not import $function from $dll" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "cross-check-windows: $out/win32_calls.dll imports ${expected[*]}"
exit "$status"
