#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# package_test.sh CPACK CPACK_CONFIG SCRATCH BUILT_CLI VERSION LIBDIR APP_ID
# Builds the two Debian packages from the build tree into SCRATCH, unpacks both into
# SCRATCH/root and checks them: lintian finds no error or warning, the control fields, what each
# package holds, its desktop files, and that the unpacked programs run like the built ones.
set -euo pipefail
cpack=$1 config=$2 scratch=$3 built_cli=$4 version=$5 libdir=$6 app_id=$7
arch=$(dpkg --print-architecture) root=$3/root failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch" && mkdir -p "$scratch/out"
"$cpack" -G DEB --config "$config" -B "$scratch/out"
program=$scratch/out/vapomet_${version}_$arch.deb library=$scratch/out/libvapomet-dev_${version}_$arch.deb
dpkg -x "$program" "$root" && dpkg -x "$library" "$root"

# lintian: no error or warning; the pedantic and informational tags are listed.
tags=$(lintian --info --pedantic "$program" "$library" 2>&1 | grep -v 'root privileges' || true)
printf 'lintian:\n%s\n' "${tags:-  (no tags)}"
! grep -E '^[EW]: ' <<<"$tags" || fail "lintian reports errors or warnings"

# Control fields; the programs depend on Qt's runtime, and neither package on the other.
field() { dpkg-deb --field "$1" "$2"; }
[ "$(field "$program" Package) $(field "$program" Section)" = "vapomet science" ] || fail "vapomet's control"
[ "$(field "$library" Package) $(field "$library" Section)" = "libvapomet-dev libdevel" ] || fail "libvapomet-dev's control"
for deb in "$program" "$library"; do
  [ "$(field "$deb" Version)" = "$version" ] && [ -n "$(field "$deb" Homepage)" ] || fail "$deb: Version or Homepage"
done
grep -q 'libqt6widgets6' <<<"$(field "$program" Depends)" || fail "vapomet does not depend on Qt Widgets"
! grep -q libvapomet <<<"$(field "$program" Depends)" && [ -z "$(field "$library" Depends)" ] || fail "Depends between the packages"

# What each package holds, in its own folders only; the library in the multiarch folder.
contents() { dpkg-deb --contents "$1" | awk '{ print $6 }' | sed 's:^\./::'; }
program_files=$(contents "$program") library_files=$(contents "$library")
for path in usr/bin/vapomet usr/bin/vapomet-cli usr/share/applications/$app_id.desktop \
            usr/share/icons/hicolor/scalable/apps/$app_id.svg usr/share/metainfo/$app_id.metainfo.xml \
            usr/share/man/man1/vapomet.1.gz usr/share/man/man1/vapomet-cli.1.gz; do
  grep -qx "$path" <<<"$program_files" || fail "vapomet lacks /$path"
done
for path in usr/include/property/property.h usr/include/property/state.h \
            usr/$libdir/libvapomet_property.a \
            usr/$libdir/cmake/vapomet/vapometConfig.cmake usr/$libdir/cmake/vapomet/vapometTargets.cmake; do
  grep -qx "$path" <<<"$library_files" || fail "libvapomet-dev lacks /$path"
done
[[ $libdir == lib/*-linux-gnu* ]] || fail "the library goes to /usr/$libdir, not a multiarch folder"
! grep -E '\.a$|\.h$|cmake/' <<<"$program_files" || fail "vapomet holds development files"
! grep -E '^usr/bin/|\.desktop$' <<<"$library_files" || fail "libvapomet-dev holds programs"
[ -z "$(find "$root" -name '*_test*' -o -name '*bench*' -o -name '*.cpp' -o -name region3.h)" ] || fail "test or private files"

# Stripped programs, a Debian changelog and a machine-readable copyright file in each package.
for program_file in vapomet vapomet-cli; do
  [[ $(file "$root/usr/bin/$program_file") == *", stripped"* ]] || fail "$program_file is not stripped"
  [[ $(objdump -h "$root/usr/bin/$program_file") != *" .comment "* ]] || fail "$program_file keeps .comment"
done
for package in vapomet libvapomet-dev; do
  [ "$(zcat "$root/usr/share/doc/$package/changelog.gz" | sed -n 1p)" = \
    "vapomet ($version) unstable; urgency=medium" ] || fail "$package: changelog.gz"
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$root/usr/share/doc/$package/copyright" && grep -q '^License: MIT' "$root/usr/share/doc/$package/copyright" ||
    fail "$package: copyright"
done
# lintian has run man --warnings on the manual pages; the metainfo and desktop entry pass their
# own checkers, warnings and hints included.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree on the packages"
[ -z "$(desktop-file-validate "$root/usr/share/applications/$app_id.desktop" 2>&1)" ] || fail "desktop-file-validate"

# The unpacked programs run like the built ones.
for arguments in "1 300" "--json 30 650" "abc 300" "--grid P=1:10:2 T=300:600:3"; do
  # shellcheck disable=SC2086
  [ "$("$built_cli" $arguments 2>&1)" = "$("$root/usr/bin/vapomet-cli" $arguments 2>&1)" ] ||
    fail "vapomet-cli $arguments: the packaged program differs from the built one"
done
QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/vapomet" --quit-after-start || fail "vapomet does not start"
# The installed program reproduces every published value it carries, as a user qualifying it
# would check.
"$root/usr/bin/vapomet-cli" --verify >"$root/verification.txt" ||
  fail "vapomet-cli --verify: $(tail -n 1 "$root/verification.txt")"

[ "$failures" -eq 0 ] || { echo "$failures check(s) of the packages failed" >&2; exit 1; }
echo "The packages passed every check"
