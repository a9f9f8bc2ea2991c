#!/usr/bin/env bash
# check_deb.sh once more on a fresh Debian 12 (debootstrap --variant=minbase in a chroot):
# the packages built by deb_check install there with apt and nothing but their Depends,
# the game runs from its menu entry, the example builds against libwavemix-dev alone, and
# the purge (followed by autoremove there) leaves no file of theirs. Only the check's own tools are installed beforehand
# (Xvfb, xdotool, ImageMagick, CMake, Ninja, g++); the chroot is deleted afterwards.
# Needs root, debootstrap and a Debian mirror (POMURI_DEBIAN_MIRROR); skips (77) otherwise.
#
#   check_deb_chroot.sh SOURCE_DIR OUT_DIR     OUT_DIR/build holds deb_check's packages
set -euo pipefail
source=$(realpath "$1")
out=$(realpath "$2")
mirror=${POMURI_DEBIAN_MIRROR:-http://deb.debian.org/debian}
skip() { echo "check_deb_chroot: skipped: $*"; exit 77; }
fail() { echo "check_deb_chroot: $*" >&2; exit 1; }

[ "$(id -u)" = 0 ] || skip "a chroot needs root"
command -v debootstrap > /dev/null || skip "debootstrap is missing"
ls "$out"/build/pomuri_*_amd64.deb "$out"/build/libwavemix-dev_*_amd64.deb > /dev/null 2>&1 ||
  skip "deb_check has built no packages in $out/build"

root=$(mktemp -d /tmp/pomuri-chroot.XXXXXX)
chmod 755 "$root"  # the root folder of the chroot, which its users must be able to enter
cleanup() {
  if mountpoint -q "$root/proc"; then umount "$root/proc"; fi
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

debootstrap --variant=minbase bookworm "$root" "$mirror" > "$out/debootstrap.log" 2>&1 ||
  skip "debootstrap could not make a Debian 12 system from $mirror (see $out/debootstrap.log)"
mount -t proc proc "$root/proc" || skip "cannot mount /proc in the chroot"
cp /etc/resolv.conf "$root/etc/resolv.conf"
check=$root/tmp/check
mkdir -p "$check/debs" "$check/src/examples" "$check/src/tests/install"
cp "$out"/build/pomuri_*_amd64.deb "$out"/build/libwavemix-dev_*_amd64.deb "$check/debs/"
cp -r "$source/examples/wavemix_consumer" "$check/src/examples/"
cp "$source/tests/install/check_deb.sh" "$check/src/tests/install/"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -qq > "$out/chroot-apt.log" 2>&1 &&
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    xvfb xauth xdotool imagemagick cmake ninja-build g++ >> "$out/chroot-apt.log" 2>&1 ||
  { tail -20 "$out/chroot-apt.log"; fail "the check's tools did not install in the chroot"; }
status=0
in_root env POMURI_DEBS=/tmp/check/debs POMURI_THROWAWAY_SYSTEM=1 bash /tmp/check/src/tests/install/check_deb.sh \
  /tmp/check/src /tmp/check/out || status=$?
if [ -f "$check/out/game.png" ]; then cp "$check/out/game.png" "$out/chroot-game.png"; fi
[ "$status" = 0 ] || fail "check_deb.sh failed in the fresh Debian 12 (status $status)"
echo "deb checks passed on a fresh Debian 12"
