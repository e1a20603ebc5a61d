#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# package_test.sh CPACK CPACK_CONFIG SCRATCH BUILT_CLI VERSION LIBDIR APP_ID C_EXAMPLE [PYTHON]
# Builds the Debian packages from the build tree into SCRATCH, unpacks them into SCRATCH/root
# and checks them: lintian finds no error or warning, the control fields, what each package
# holds, its desktop files, that the unpacked programs run like the built ones, that the C
# example builds and runs against the unpacked C library, and, where PYTHON is given, that the
# unpacked Python module imports into it and answers as the companion does.
set -euo pipefail
cpack=$1 config=$2 scratch=$3 built_cli=$4 version=$5 libdir=$6 app_id=$7 c_example=$8 python=${9:-}
arch=$(dpkg --print-architecture) root=$3/root failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch" && mkdir -p "$scratch/out"
"$cpack" -G DEB --config "$config" -B "$scratch/out"
program=$scratch/out/vapomet_${version}_$arch.deb library=$scratch/out/libvapomet-dev_${version}_$arch.deb
clibrary=$scratch/out/libvapomet1_${version}_$arch.deb
dpkg -x "$program" "$root" && dpkg -x "$library" "$root" && dpkg -x "$clibrary" "$root"
packages=("$program" "$library" "$clibrary")
if [ -n "$python" ]; then
  module=$scratch/out/python3-vapomet_${version}_$arch.deb
  dpkg -x "$module" "$root"
  packages+=("$module")
fi

# lintian: no error or warning; the pedantic and informational tags are listed.
tags=$(lintian --info --pedantic "${packages[@]}" 2>&1 | grep -v 'root privileges' || true)
printf 'lintian:\n%s\n' "${tags:-  (no tags)}"
! grep -E '^[EW]: ' <<<"$tags" || fail "lintian reports errors or warnings"

# Control fields; the programs depend on Qt's runtime and not on the libraries, the development
# files on the C library of their version.
field() { dpkg-deb --field "$1" "$2"; }
[ "$(field "$program" Package) $(field "$program" Section)" = "vapomet science" ] || fail "vapomet's control"
[ "$(field "$library" Package) $(field "$library" Section)" = "libvapomet-dev libdevel" ] || fail "libvapomet-dev's control"
[ "$(field "$clibrary" Package) $(field "$clibrary" Section)" = "libvapomet1 libs" ] || fail "libvapomet1's control"
for deb in "${packages[@]}"; do
  [ "$(field "$deb" Version)" = "$version" ] && [ -n "$(field "$deb" Homepage)" ] || fail "$deb: Version or Homepage"
done
grep -q 'libqt6widgets6' <<<"$(field "$program" Depends)" || fail "vapomet does not depend on Qt Widgets"
! grep -q libvapomet <<<"$(field "$program" Depends)" || fail "vapomet depends on a library package"
[ "$(field "$library" Depends)" = "libvapomet1 (= $version)" ] || fail "libvapomet-dev's Depends"
grep -q 'libc6' <<<"$(field "$clibrary" Depends)" || fail "libvapomet1 does not depend on the C library"

# What each package holds, in its own folders only; the library in the multiarch folder.
contents() { dpkg-deb --contents "$1" | awk '{ print $6 }' | sed 's:^\./::'; }
program_files=$(contents "$program") library_files=$(contents "$library") clibrary_files=$(contents "$clibrary")
for path in usr/bin/vapomet usr/bin/vapomet-cli usr/share/applications/$app_id.desktop \
            usr/share/icons/hicolor/scalable/apps/$app_id.svg usr/share/metainfo/$app_id.metainfo.xml \
            usr/share/man/man1/vapomet.1.gz usr/share/man/man1/vapomet-cli.1.gz; do
  grep -qx "$path" <<<"$program_files" || fail "vapomet lacks /$path"
done
for path in usr/include/property/property.h usr/include/property/state.h \
            usr/$libdir/libvapomet_property.a \
            usr/$libdir/cmake/vapomet/vapometConfig.cmake usr/$libdir/cmake/vapomet/vapometTargets.cmake \
            usr/include/vapomet/vapomet.h usr/$libdir/libvapomet.so; do
  grep -qx "$path" <<<"$library_files" || fail "libvapomet-dev lacks /$path"
done
for path in usr/$libdir/libvapomet.so.1 "usr/$libdir/libvapomet.so.$version"; do
  grep -qx "$path" <<<"$clibrary_files" || fail "libvapomet1 lacks /$path"
done
[ "$(objdump -p "$root/usr/$libdir/libvapomet.so.$version" | awk '/SONAME/ { print $2 }')" = libvapomet.so.1 ] ||
  fail "libvapomet's SONAME"
# Its own functions only, each of version VAPOMET_1.
exported=$(nm -D --defined-only "$root/usr/$libdir/libvapomet.so.$version" | awk '$2 == "T" { print $3 }')
! grep -v '^vapomet_.*@@VAPOMET_1$' <<<"$exported" || fail "libvapomet exports other symbols"
[[ $libdir == lib/*-linux-gnu* ]] || fail "the library goes to /usr/$libdir, not a multiarch folder"
! grep -E '\.a$|\.h$|cmake/' <<<"$program_files" || fail "vapomet holds development files"
! grep -E '^usr/bin/|\.desktop$' <<<"$library_files" || fail "libvapomet-dev holds programs"
[ -z "$(find "$root" -name '*_test*' -o -name '*bench*' -o -name '*.cpp' -o -name region3.h)" ] || fail "test or private files"

# Stripped programs, a Debian changelog and a machine-readable copyright file in each package.
for program_file in vapomet vapomet-cli; do
  [[ $(file "$root/usr/bin/$program_file") == *", stripped"* ]] || fail "$program_file is not stripped"
  [[ $(objdump -h "$root/usr/bin/$program_file") != *" .comment "* ]] || fail "$program_file keeps .comment"
done
for package in vapomet libvapomet-dev libvapomet1; do
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

# The C example, built against the unpacked header and library alone.
cc -std=c11 -Wall -Werror -I"$root/usr/include" "$c_example" -L"$root/usr/$libdir" -lvapomet -lm \
  -o "$scratch/c_example" && LD_LIBRARY_PATH="$root/usr/$libdir" "$scratch/c_example" ||
  fail "the C example against the packaged library"

# The Python module: a package of its own section that depends on NumPy, importable from the
# unpacked root, giving what the companion gives.
if [ -n "$python" ]; then
  [ "$(field "$module" Package) $(field "$module" Section)" = "python3-vapomet python" ] || fail "python3-vapomet's control"
  grep -q 'python3-numpy' <<<"$(field "$module" Depends)" || fail "python3-vapomet does not depend on NumPy"
  grep -q "^usr/lib/python3/dist-packages/vapomet\.cpython-.*\.so$" <<<"$(contents "$module")" ||
    fail "python3-vapomet lacks its module in /usr/lib/python3/dist-packages"
  [ "$(PYTHONPATH="$root/usr/lib/python3/dist-packages" "$python" -c \
      "import vapomet; print(repr(vapomet.state(P=1, T=300)['h']))")" = \
    "$("$built_cli" --given P,T --json -- 1 300 | sed -E 's/.*"h":([^,]*),.*/\1/')" ] ||
    fail "the packaged Python module differs from the companion"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) of the packages failed" >&2; exit 1; }
echo "The packages passed every check"
