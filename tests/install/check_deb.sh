#!/usr/bin/env bash
# The Debian packages as a Debian user meets them, on this machine:
#  - tools/build_deb.sh makes pomuri_*.deb and libwavemix-dev_*.deb from a release build;
#    lintian finds no error in them and the AppStream file inside passes appstreamcli;
#  - `apt-get install ./pomuri_*.deb ./libwavemix-dev_*.deb` installs them with what they need;
#  - the menu entry's Exec line, run by a normal user with an empty home under Xvfb, shows
#    the game's window (a screenshot is kept as OUT_DIR/game.png); closed, the game has saved
#    the profile to that user's ~/.local/share/pomuri/my.dat;
#  - the example consumer builds against the installed package and records a wave;
#  - `apt-get purge` leaves none of the packages' files and no new file of theirs behind.
#
# It installs and purges system packages, so it runs only as root (as CI does) on a machine
# where neither package is installed already, and skips (77) otherwise. It never removes any
# other package.
#
#   check_deb.sh SOURCE_DIR OUT_DIR [CMAKE_OPTION...]
# With POMURI_DEBS=DIR the packages already in DIR are checked and nothing is built (the
# fresh system of check_deb_chroot.sh has no build tools but those the example needs).
# POMURI_THROWAWAY_SYSTEM=1 (only there) also removes what apt pulled in for the packages
# (autoremove), so that fewer paths stay new after the purge.
set -euo pipefail
source=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
shift 2
packages=(pomuri libwavemix-dev)
user=pomuri-check
skip() { echo "check_deb: skipped: $*"; exit 77; }
fail() { echo "check_deb: $*" >&2; exit 1; }

[ "$(id -u)" = 0 ] || skip "installing packages needs root"
debs=${POMURI_DEBS:-}
tools=(apt-get dpkg Xvfb xdotool import cmake ninja g++)
[ -n "$debs" ] || tools+=(dpkg-shlibdeps)
for tool in "${tools[@]}"; do
  command -v "$tool" > /dev/null || skip "$tool is missing"
done
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2> /dev/null || true)" = "install ok installed" ]; then
    skip "$p is installed already; this check installs and purges it itself"
  fi
done

work=$(mktemp -d /tmp/pomuri-deb.XXXXXX)
xvfb_pid=
game_pid=
installed=
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2> /dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2> /dev/null || true; fi
  if [ -n "$installed" ]; then
    apt-get purge -y -qq -o DPkg::Lock::Timeout=600 "${packages[@]}" > /dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=600 "$@"; }

# --- the packages
if [ -z "$debs" ]; then
  debs=$out/build
  "$source/tools/build_deb.sh" "$debs" "$@" > "$out/build.log" 2>&1 ||
    { tail -50 "$out/build.log"; fail "the packages were not built"; }
fi
game_deb=$(ls "$debs"/pomuri_*_amd64.deb)
dev_deb=$(ls "$debs"/libwavemix-dev_*_amd64.deb)
dpkg-deb --field "$game_deb" Depends
if command -v lintian > /dev/null; then
  lintian --info "$game_deb" "$dev_deb" | tee "$out/lintian.txt" || true
  ! grep -q '^E: ' "$out/lintian.txt" || fail "lintian found errors"
fi
dpkg-deb -x "$game_deb" "$work/unpacked"
metainfo=$(ls "$work"/unpacked/usr/share/metainfo/*.metainfo.xml)
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $(basename "$metainfo")"
fi

# --- installed with apt; everything outside the homes is listed before and after
scan() {
  { find /usr /etc /opt /srv /var/lib /var/cache /var/games -xdev \
      -path /var/lib/dpkg -prune -o -path /var/lib/apt -prune -o -path /var/cache/apt -prune \
      -o -path /var/cache/man -prune -o -print 2> /dev/null || true; } | sort
}
scan > "$work/before"
installed=yes
# Depends alone must be enough: recommended packages are left out.
apt_get install --no-install-recommends "$game_deb" "$dev_deb" > "$out/apt.log" 2>&1 || { cat "$out/apt.log"; fail "apt-get install failed"; }
for p in "${packages[@]}"; do dpkg -L "$p"; done | sort -u > "$work/owned"

# --- the menu entry's Exec line, run by a normal user with an empty home
desktop=/usr/share/applications/pomuri.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -1 | sed 's/ *%[fFuUick]//g')
[ -n "$exec_line" ] || fail "no Exec line in $desktop"
home=$work/home
mkdir "$home"
chmod 755 "$work"
id "$user" > /dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
chown "$(id -u "$user"):$(id -g "$user")" "$home"
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 640x480x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 display_number <&"$display_fd" || fail "Xvfb did not start"
exec {display_fd}<&-
export DISPLAY=":$display_number"
# A desktop session's environment (Debian's PATH for users) and nothing more; the sound goes
# to ALSA's default as it would.
env -i HOME="$home" USER="$user" PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games \
  DISPLAY="$DISPLAY" \
  setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --init-groups \
  sh -c "exec $exec_line" > "$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --class pomuri | head -1) ||
  { cat "$work/game.log"; fail "the game's window did not appear"; }
name=$(xdotool getwindowname "$window")
[ "${name#ネオ・ポムリーくん占いステッキ}" != "$name" ] || fail "a window '$name' appeared instead of the game"
import -window root "$out/game.png"
# A drawn title screen has hundreds of colours; an unpainted or blank window has one or two.
colours=$(identify -format %k "$out/game.png")
echo "screenshot $out/game.png: $colours colours"
[ "$colours" -gt 64 ] || fail "the screenshot shows no picture"
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" = 0 ] || { cat "$work/game.log"; fail "the game exited with status $status"; }
profile=$home/.local/share/pomuri/my.dat
[ -s "$profile" ] && [ "$(stat -c %U "$profile")" = "$user" ] ||
  { cat "$work/game.log"; fail "no profile of $user at $profile"; }
echo "profile saved to $profile"

# --- the example consumer against the installed mixer package, recording a game sound
cmake -S "$source/examples/wavemix_consumer" -B "$work/consumer" -G Ninja > "$work/consumer.log" 2>&1 &&
  cmake --build "$work/consumer" >> "$work/consumer.log" 2>&1 ||
  { cat "$work/consumer.log"; fail "the consumer did not build against the package"; }
WAVEMIX_OUTPUT="file:$work/consumer.wav" WAVEMIX_INI=/nonexistent timeout 60 \
  "$work/consumer/wavemix_consumer" /usr/share/pomuri/dat/start.wav || fail "the consumer did not play"
[ "$(head -c 4 "$work/consumer.wav")" = RIFF ] || fail "the consumer's recording is not a WAV file"

# --- purged: nothing of the packages is left outside the homes
apt_get purge "${packages[@]}" > "$out/purge.log" 2>&1 || { cat "$out/purge.log"; fail "apt-get purge failed"; }
installed=
if [ "${POMURI_THROWAWAY_SYSTEM:-}" = 1 ]; then
  apt_get autoremove --purge > "$out/autoremove.log" 2>&1 || { cat "$out/autoremove.log"; fail "autoremove failed"; }
fi
scan > "$work/after"
left=()
while IFS= read -r path; do
  [ "$path" != /. ] || continue
  # A folder another package also uses (/usr/share/icons/hicolor/…) stays, rightly.
  if [ -e "$path" ] && ! { [ -d "$path" ] && grep -qxF "$path" "$work/before"; }; then left+=("$path"); fi
done < "$work/owned"
comm -13 "$work/before" "$work/after" > "$out/new-files.txt"
echo "files of the packages left after the purge: ${#left[@]}"
printf '  %s\n' "${left[@]}"
echo "paths outside the homes that were not there before the install: $(wc -l < "$out/new-files.txt")"
# Dependencies that apt keeps (another package recommends them) and user database backups
# are new too; the list is for reading, only the packages' own names fail the check.
sed -n 's/^/  /;1,40p' "$out/new-files.txt"
[ ${#left[@]} = 0 ] || fail "the purge left files of the packages"
! grep -Eiq 'pomuri|wavemix' "$out/new-files.txt" || fail "the purge left files of the game or the mixer"
echo "deb checks passed"
