#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# package_test.sh CPACK CPACK_CONFIG SCRATCH BUILT_CLI VERSION LIBDIR APP_ID
# Builds the two Debian packages from the build tree into SCRATCH and checks them: lintian
# finds no error or warning, the control fields, what each holds, and that the unpacked
# programs run like the built ones. Both are unpacked into SCRATCH/root.
set -euo pipefail
cpack=$1 config=$2 scratch=$3 built_cli=$4 version=$5 libdir=$6 app_id=$7
arch=$(dpkg --print-architecture)

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch"
mkdir -p "$scratch/out"
"$cpack" -G DEB --config "$config" -B "$scratch/out"
program_deb=$scratch/out/vapomet_${version}_$arch.deb
library_deb=$scratch/out/libvapomet-dev_${version}_$arch.deb
for deb in "$program_deb" "$library_deb"; do
  [ -f "$deb" ] || { echo "FAILED: no $deb; cpack made: $(ls "$scratch/out")" >&2; exit 1; }
  echo "Package: $deb ($(stat -c %s "$deb") bytes)"
  dpkg-deb --info "$deb"
done

# ---- lintian: no error or warning; the pedantic and informational tags are listed.
if command -v lintian >/dev/null; then
  tags=$(lintian --info --pedantic --display-experimental "$program_deb" "$library_deb" 2>&1 |
         grep -v 'running with root privileges' || true)
  printf 'lintian:\n%s\n' "${tags:-  (no tags)}"
  if printf '%s\n' "$tags" | grep -E '^[EW]: '; then fail "lintian reports errors or warnings"; fi
else
  fail "lintian is not installed (scripts/setup.sh installs it)"
fi

# ---- Control fields
field() { dpkg-deb --field "$1" "$2"; }
while IFS='|' read -r deb name wanted; do
  got=$(field "$deb" "$name")
  [ "$got" = "$wanted" ] || fail "$(basename "$deb"): $name is '$got', not '$wanted'"
done <<FIELDS
$program_deb|Package|vapomet
$program_deb|Version|$version
$program_deb|Section|science
$program_deb|Architecture|$arch
$library_deb|Package|libvapomet-dev
$library_deb|Version|$version
$library_deb|Section|libdevel
$library_deb|Architecture|$arch
FIELDS
for deb in "$program_deb" "$library_deb"; do
  [ -n "$(field "$deb" Maintainer)" ] || fail "$(basename "$deb") has no Maintainer"
  [ -n "$(field "$deb" Homepage)" ] || fail "$(basename "$deb") has no Homepage"
done

# The runtime packages that dpkg-shlibdeps finds for the programs; the library package needs
# none, and neither package needs the other.
depends=$(field "$program_deb" Depends)
echo "Depends of vapomet: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 libc6; do
  printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx -- "$package" ||
    fail "vapomet's Depends lacks $package"
done
printf '%s\n' "$depends" | grep -q libvapomet && fail "vapomet depends on the library package"
[ -z "$(field "$library_deb" Depends)" ] || fail "libvapomet-dev has Depends"

# ---- Contents
root=$scratch/root
dpkg -x "$program_deb" "$root"
dpkg -x "$library_deb" "$root"
contents() { dpkg-deb --contents "$1" | awk '{ print $6 }' | sed 's:^\./::'; }
while IFS='|' read -r deb path; do
  contents "$deb" | grep -qx -- "$path" || fail "$(basename "$deb") lacks /$path"
done <<PRESENT
$program_deb|usr/bin/vapomet
$program_deb|usr/bin/vapomet-cli
$program_deb|usr/share/applications/$app_id.desktop
$program_deb|usr/share/icons/hicolor/scalable/apps/$app_id.svg
$program_deb|usr/share/metainfo/$app_id.metainfo.xml
$program_deb|usr/share/man/man1/vapomet-cli.1.gz
$program_deb|usr/share/man/man1/vapomet.1.gz
$program_deb|usr/share/doc/vapomet/copyright
$program_deb|usr/share/doc/vapomet/changelog.gz
$library_deb|usr/include/property/property.h
$library_deb|usr/$libdir/libvapomet_property.a
$library_deb|usr/$libdir/cmake/vapomet/vapometConfig.cmake
$library_deb|usr/$libdir/cmake/vapomet/vapometConfigVersion.cmake
$library_deb|usr/$libdir/cmake/vapomet/vapometTargets.cmake
$library_deb|usr/share/doc/libvapomet-dev/copyright
$library_deb|usr/share/doc/libvapomet-dev/changelog.gz
PRESENT
# The library is in the multiarch folder, and each package holds only its own part.
[[ $libdir == lib/*-linux-gnu* ]] || fail "the library goes to /usr/$libdir, not a multiarch folder"
contents "$program_deb" | grep -E '\.a$|\.h$|cmake/' && fail "vapomet holds development files"
contents "$library_deb" | grep -E '^usr/bin/|\.desktop$' && fail "libvapomet-dev holds programs"
# Build helpers, tests, benchmarks and private headers stay out.
for name in vapomet-snapshots draw_pictures fault.h region3.h '*_test*' '*_tests' '*bench*' \
            '*.o' '*.cpp' mocs_compilation; do
  found=$(find "$root" -name "$name")
  [ -z "$found" ] || fail "a package holds $found"
done

# What each file is; the programs and the library without debugging sections or comments.
while IFS='|' read -r path kind; do
  description=$(file --brief "$root/$path")
  printf '%s\n' "$description" | grep -q -- "$kind" || fail "/$path is '$description', not $kind"
done <<KINDS
usr/bin/vapomet|ELF.*, stripped
usr/bin/vapomet-cli|ELF.*, stripped
usr/share/man/man1/vapomet-cli.1.gz|gzip compressed data, max compression
usr/share/doc/vapomet/changelog.gz|gzip compressed data, max compression
usr/share/icons/hicolor/scalable/apps/$app_id.svg|SVG
usr/$libdir/libvapomet_property.a|ar archive
KINDS
for program in vapomet vapomet-cli; do
  objdump -h "$root/usr/bin/$program" | grep -qE ' \.comment ' && fail "$program keeps .comment"
done

# The Debian changelog is CHANGELOG.md's, with this version first, and the copyright file is
# machine-readable with the project's licence.
zcat "$root/usr/share/doc/vapomet/changelog.gz" | head -n 1 |
  grep -qx "vapomet ($version) unstable; urgency=medium" || fail "changelog.gz does not start with $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$root/usr/share/doc/vapomet/copyright" || fail "the copyright file is not machine-readable"
grep -q '^License: MIT' "$root/usr/share/doc/vapomet/copyright" || fail "no MIT licence"

# The desktop entry starts an installed program with an installed icon, and the metainfo
# launches that desktop entry.
desktop=$root/usr/share/applications/$app_id.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
  fail "Icon=$icon_name is not an installed icon"
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$app_id.desktop" ] || fail "the metainfo launches '$launchable'"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metainfo has no licence"
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
--grid P=1:10:2 T=300:600:3

--help
CASES
# The packaged program must have printed the pages of a real press, not only agreed.
"$root/usr/bin/vapomet-cli" 1 300 | grep -q "Region - 1" || fail "vapomet-cli 1 300 shows no region"

# ---- The unpacked desktop program starts, shows its main window and ends through Exit.
status=0
QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/vapomet" --quit-after-start || status=$?
[ "$status" -eq 0 ] || fail "vapomet --quit-after-start ended with status $status"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the packages failed" >&2
  exit 1
fi
echo "The packages passed every check"
