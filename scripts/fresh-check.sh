#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The README's two commands and the Debian packages on fresh machines: builds a minimal Debian 12
# root with debootstrap from this machine's Debian mirror, runs scripts/test.sh and then
# scripts/run.sh (without a display) in a clean clone inside it, and installs the packages that
# build made into a second fresh root with apt, where it runs vapomet-cli 1 300,
# vapomet --quit-after-start, the Python module and the downstream example against the
# installed library.
#   scripts/fresh-check.sh [WORK_FOLDER]     (as root; default WORK_FOLDER: /var/tmp/vapomet-fresh)
# FUZZ_SECONDS is passed on to scripts/test.sh. Each step's time is printed; the whole log is
# WORK_FOLDER/fresh-check.log.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
work=${1:-/var/tmp/vapomet-fresh}
suite=bookworm

[ "$(id -u)" -eq 0 ] || { echo "fresh-check: run it as root (debootstrap and chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || {
  echo "Installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap
}

# The mirror this machine's apt uses for Debian, from either form of its sources.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
             /etc/apt/sources.list.d/*.sources 2>/dev/null |
         grep -oE '^(deb|URIs:) +https?://[^ ]+' | awk '{ print $2 }' |
         grep -E '/debian/?$' | head -n 1 || true)
[ -n "$mirror" ] || { echo "fresh-check: no Debian mirror in /etc/apt" >&2; exit 1; }

mkdir -p "$work"
exec > >(tee "$work/fresh-check.log") 2>&1
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

step_start=0
step() { step_start=$(date +%s); echo; echo "== $*"; }
done_step() { echo "-- $(( $(date +%s) - step_start )) s"; }

# A root ready for chroot: the kernel's file systems and the network's name service.
enter() {
  local root=$1
  for fs in proc sys dev dev/pts; do
    mkdir -p "$root/$fs"
    case $fs in
      proc) mount -t proc proc "$root/proc" ;;
      sys) mount -t sysfs sys "$root/sys" ;;
      *) mount --bind "/$fs" "$root/$fs" ;;
    esac
    mounted+=("$root/$fs")
  done
  cp /etc/resolv.conf "$root/etc/resolv.conf"
}
in_root() {
  local root=$1
  shift
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

step "A minimal Debian 12 root from $mirror"
rm -rf "$work/base" "$work/build-root" "$work/install-root"
debootstrap --variant=minbase "$suite" "$work/base" "$mirror" >"$work/debootstrap.log"
du -sh "$work/base"
done_step

step "The README's first command, scripts/test.sh, in a clean clone"
cp -a "$work/base" "$work/build-root"
git clone --quiet "$repo" "$work/build-root/root/vapomet"
enter "$work/build-root"
in_root "$work/build-root" bash -c \
  "cd /root/vapomet && FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/test.sh"
echo "packages installed by the test command: $(in_root "$work/build-root" dpkg-query -W | wc -l)"
done_step

step "The README's second command, scripts/run.sh, without a display"
in_root "$work/build-root" bash -c "cd /root/vapomet && scripts/run.sh"
[ -s "$work/build-root/root/vapomet/build/first-run/pages.png" ] || {
  echo "fresh-check: scripts/run.sh made no picture of the pages" >&2
  exit 1
}
done_step

step "The Debian packages of that build"
in_root "$work/build-root" bash -c \
  "cd /root/vapomet/build && cmake --build . -j \$(nproc) >/dev/null && cpack -G DEB -B /root/packages >/dev/null"
ls -l "$work/build-root/root/packages/"*.deb
done_step

step "The packages installed with apt into a second fresh root"
cp -a "$work/base" "$work/install-root"
mkdir -p "$work/install-root/root/packages"
cp "$work/build-root/root/packages/"*.deb "$work/install-root/root/packages/"
cp -r "$repo/examples/downstream" "$work/install-root/root/downstream"
enter "$work/install-root"
in_root "$work/install-root" apt-get update -q
in_root "$work/install-root" bash -c \
  "cd /root/packages && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./vapomet_*.deb ./libvapomet1_*.deb ./libvapomet-dev_*.deb ./python3-vapomet_*.deb"
in_root "$work/install-root" vapomet-cli 1 300
in_root "$work/install-root" env QT_QPA_PLATFORM=offscreen vapomet --quit-after-start
echo "vapomet --quit-after-start: status $?"
in_root "$work/install-root" python3 -c "import vapomet; print(vapomet.state(P=1, T=300)['h'])"
done_step

step "The downstream example against the installed libvapomet-dev"
in_root "$work/install-root" bash -c \
  "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends cmake g++ make >/dev/null"
in_root "$work/install-root" bash -c \
  "cmake -S /root/downstream -B /root/downstream-build >/dev/null && cmake --build /root/downstream-build >/dev/null && /root/downstream-build/steam_check"
done_step

echo
echo "fresh-check: every step passed"
