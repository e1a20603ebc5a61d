#!/usr/bin/env bash
# package_test.sh CPACK CPACK_CONFIG SCRATCH BUILT_CLI VERSION LIBDIR APP_ID
# Builds the Debian package from the build tree into SCRATCH, unpacks it, and checks its
# control fields, its contents, and that the unpacked programs run like the built ones.
set -euo pipefail
cpack=$1 config=$2 scratch=$3 built_cli=$4 version=$5 libdir=$6 app_id=$7

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch"
mkdir -p "$scratch/out"
"$cpack" -G DEB --config "$config" -B "$scratch/out"
shopt -s nullglob
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAILED: expected one .deb, found ${#debs[@]}" >&2; exit 1; }
deb=${debs[0]}
echo "Package: $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb --info "$deb"

# ---- Control fields
field() { dpkg-deb --field "$deb" "$1"; }
while IFS='|' read -r name wanted; do
  got=$(field "$name")
  [ "$got" = "$wanted" ] || fail "control field $name is '$got', not '$wanted'"
done <<FIELDS
Package|vapomet
Version|$version
Section|science
Architecture|$(dpkg --print-architecture)
FIELDS
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(basename "$deb")" = "vapomet_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "package file name $(basename "$deb")"

# The runtime packages that dpkg-shlibdeps finds for the programs.
depends=$(field Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6; do
  printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx -- "$package" ||
    fail "Depends lacks $package"
done

# ---- Contents
root=$scratch/root
dpkg -x "$deb" "$root"
present=(
  usr/bin/vapomet
  usr/bin/vapomet-cli
  "usr/share/applications/$app_id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  "usr/share/metainfo/$app_id.metainfo.xml"
  usr/share/man/man1/vapomet-cli.1.gz
  usr/share/man/man1/vapomet.1.gz
  usr/include/property/property.h
  "usr/$libdir/libvapomet_property.a"
  "usr/$libdir/cmake/vapomet/vapometConfig.cmake"
  "usr/$libdir/cmake/vapomet/vapometConfigVersion.cmake"
  "usr/$libdir/cmake/vapomet/vapometTargets.cmake"
)
for path in "${present[@]}"; do
  [ -f "$root/$path" ] || fail "the package lacks /$path"
done
# Build helpers, tests, benchmarks and private headers stay out.
for name in vapomet-snapshots draw_pictures fault.h region3.h '*_test*' '*_tests' '*bench*' \
            '*.o' '*.cpp'; do
  found=$(find "$root" -name "$name")
  [ -z "$found" ] || fail "the package holds $found"
done

# What each file is.
while IFS='|' read -r path kind; do
  description=$(file --brief "$root/$path")
  printf '%s\n' "$description" | grep -q -- "$kind" || fail "/$path is '$description', not $kind"
done <<KINDS
usr/bin/vapomet|ELF
usr/bin/vapomet-cli|ELF
usr/share/man/man1/vapomet-cli.1.gz|gzip compressed data, max compression
usr/share/man/man1/vapomet.1.gz|gzip compressed data, max compression
usr/share/icons/hicolor/scalable/apps/$app_id.svg|SVG
usr/$libdir/libvapomet_property.a|ar archive
KINDS

# The desktop entry starts an installed program with an installed icon, and the metainfo
# launches that desktop entry.
desktop=$root/usr/share/applications/$app_id.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
  fail "Icon=$icon_name is not an installed icon"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' \
             "$root/usr/share/metainfo/$app_id.metainfo.xml")
[ "$launchable" = "$app_id.desktop" ] || fail "the metainfo launches '$launchable'"
component=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$root/usr/share/metainfo/$app_id.metainfo.xml")
[ "$component" = "$app_id" ] || fail "the metainfo id is '$component'"

# The metainfo, desktop entry and icon as installed, checked together.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree on the package"

# ---- The unpacked vapomet-cli prints what the built one prints, with the same status.
while IFS= read -r arguments; do
  read -r -a args <<<"$arguments"
  expected_status=0 actual_status=0
  expected=$("$built_cli" "${args[@]}" 2>&1) || expected_status=$?
  actual=$("$root/usr/bin/vapomet-cli" "${args[@]}" 2>&1) || actual_status=$?
  if [ "$expected" != "$actual" ] || [ "$expected_status" -ne "$actual_status" ]; then
    fail "vapomet-cli $arguments: the packaged program differs from the built one"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    echo "status: built $expected_status, packaged $actual_status" >&2
  else
    echo "vapomet-cli $arguments: same output, status $actual_status"
  fi
done <<CASES
1 300
--json 30 650
0.5 400
1 1500
20 1100
abc 300

--help
CASES
# The packaged program must have printed the pages of a real press, not only agreed.
"$root/usr/bin/vapomet-cli" 1 300 | grep -q "Region - 1" || fail "vapomet-cli 1 300 shows no region"

# ---- The unpacked desktop program starts, shows its main window and ends through Exit.
status=0
QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/vapomet" --quit-after-start || status=$?
[ "$status" -eq 0 ] || fail "vapomet --quit-after-start ended with status $status"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the package failed" >&2
  exit 1
fi
echo "The package passed every check"
