#!/usr/bin/env bash
# Installs the build into a throwaway prefix and uses it the way a user and another program
# would:
#  - the installed files are where the desktop expects them, with no my.dat among the assets;
#  - the installed game, started under Xvfb by a normal user with an empty home, reads its
#    assets from <prefix>/share/pomuri and, once closed (SIGTERM, handled like the close
#    box), has saved the profile to that user's ~/.local/share/pomuri/my.dat;
#  - a separate CMake project finds the mixer with find_package(wavemix), builds, and plays
#    two sounds into a WAV file through WAVEMIX_OUTPUT.
#
#   check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
user=pomuri-check

work=$(mktemp -d /tmp/pomuri-install.XXXXXX)
game_pid=
. "$source/tests/e2e/xvfb_env.sh"
cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2> /dev/null || true; fi
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log" ||
  { cat "$work/install.log"; fail "install failed"; }
chmod 755 "$work"

# --- the installed files
for f in bin/pomuri bin/wavemix_demo share/pomuri/dat/name.dat share/pomuri/dat/gos.mid \
         share/pomuri/dat/start.wav share/pomuri/cg/1.jpg share/pomuri/cg/kao.bmp \
         share/pomuri/WAVEMIX.INI \
         share/applications/pomuri.desktop \
         share/icons/hicolor/32x32/apps/pomuri.png share/icons/hicolor/128x128/apps/pomuri.png \
         include/pomuri/wavemix/WaveMix.h include/pomuri/audio/WaveOutDevice.h \
         lib/libwavemix.a lib/cmake/wavemix/wavemixConfig.cmake lib/pkgconfig/wavemix.pc \
         include/pomuri/wavemix/WaveMixHost.h share/man/man6/pomuri.6.gz \
         share/man/man1/wavemix_demo.1.gz share/doc/pomuri/copyright; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -z "$(find "$prefix/share/pomuri" -name 'my.dat*')" ] || fail "a profile was installed with the assets"
desktop=$prefix/share/applications/pomuri.desktop
grep -qx 'Categories=Game;' "$desktop" || fail "desktop entry without Categories=Game;"
grep -qx 'Name\[ja\]=ネオ・ポムリーくん占いステッキ' "$desktop" || fail "desktop entry without the Japanese name"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desktop"; fi
"$prefix/bin/pomuri" --version | grep -q '^pomuri [0-9]' || fail "--version"
status=0
"$prefix/bin/pomuri" --no-such-option 2> "$work/err" || status=$?
[ "$status" = 2 ] && grep -q "^pomuri: unknown option '--no-such-option'" "$work/err" ||
  fail "an unknown option gave exit status $status"

# --- the installed game, run by a normal user with an empty home
home=$work/home
mkdir "$home"
run_as=()
if [ "$(id -u)" = 0 ]; then
  id "$user" > /dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  chown "$(id -u "$user"):$(id -g "$user")" "$home"
  run_as=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --init-groups)
fi
start_xvfb 800x600 "$work/xvfb.log" || fail "Xvfb did not start"

# Nothing of this shell's environment reaches the game but what a desktop session would give.
env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
  WAVEMIX_OUTPUT=null QT_QPA_PLATFORM=xcb "${run_as[@]}" "$prefix/bin/pomuri" > "$work/game.log" 2>&1 &
game_pid=$!
# Blocks on X events until a window of the game is mapped. It must be the game's own window:
# an asset that is not found is reported in an error box before the main window shows.
windows=$(wait_for_window 30 --class pomuri) ||
  { cat "$work/game.log"; fail "the game's window did not appear"; }
for window in $windows; do
  name=$(xdotool getwindowname "$window")
  case "$name" in
    *"ネオ・ポムリーくん占いステッキ　ver1.0"*) ;;
    *) cat "$work/game.log"; fail "a window '$name' appeared instead of the game (assets not found?)" ;;
  esac
done
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" = 0 ] || { cat "$work/game.log"; fail "the game exited with status $status"; }
profile=$home/.local/share/pomuri/my.dat
[ -s "$profile" ] || { cat "$work/game.log"; fail "no profile at $profile"; }
if [ "$(id -u)" = 0 ]; then
  [ "$(stat -c %U "$profile")" = "$user" ] || fail "the profile is not owned by $user"
fi
[ -z "$(find "$prefix" -name 'my.dat*')" ] || fail "the game wrote a profile into the install"
echo "profile saved to $profile"

# --- another program using the installed mixer package
# Every installed header compiles on its own, with nothing but the package's include folder.
for header in $(cd "$prefix/include/pomuri" && find . -name '*.h' | sort); do
  echo "#include \"${header#./}\"" |
    g++ -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I"$prefix/include/pomuri" -x c++ - 2> "$work/header.log" ||
    { cat "$work/header.log"; fail "the installed header ${header#./} does not compile on its own"; }
done
consumer=$source/examples/wavemix_consumer/main.cpp
[ "$(wc -l < "$consumer")" -le 25 ] || fail "the example consumer is longer than 25 lines"
# The README shows the whole program: the block after its marker is the file, line for line.
sed -n '/^<!-- wavemix_consumer\/main.cpp -->$/,/^```$/p' "$source/README.md" | sed '1,2d;$d' > "$work/readme.cpp"
diff -u "$consumer" "$work/readme.cpp" || fail "the README's example differs from $consumer"
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml || fail "appstreamcli rejects the metainfo"
fi

cmake -S "$source/examples/wavemix_consumer" -B "$work/consumer" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release > "$work/consumer.log" 2>&1 ||
  { cat "$work/consumer.log"; fail "the consumer project did not configure"; }
cmake --build "$work/consumer" > "$work/consumer.log" 2>&1 ||
  { cat "$work/consumer.log"; fail "the consumer did not build"; }
PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name wavemix.pc)")" \
  sh -c 'g++ -std=c++20 -Wall -Wextra -Werror "$1" -o "$2" $(pkg-config --cflags --libs wavemix)' \
  sh "$consumer" "$work/consumer-pc" 2> "$work/consumer.log" ||
  { cat "$work/consumer.log"; fail "the consumer did not build with pkg-config"; }
wave=$prefix/share/pomuri/dat/start.wav
for program in "$work/consumer/wavemix_consumer" "$work/consumer-pc"; do
  rm -f "$work/consumer.wav"
  WAVEMIX_OUTPUT="file:$work/consumer.wav" WAVEMIX_INI=/nonexistent timeout 60 "$program" "$wave" ||
    fail "$program did not play"
  [ "$(head -c 4 "$work/consumer.wav")" = RIFF ] || fail "the consumer's recording is not a WAV file"
  # The default session records 11025 bytes a second: the whole wave is in the file only if
  # the program waited for the end of the play.
  if command -v soxi > /dev/null; then
    wanted=$(soxi -D "$wave" | awk '{ printf "%d", $1 * 11025 }')
    recorded=$(($(stat -c %s "$work/consumer.wav") - 44))
    [ "$recorded" -ge "$wanted" ] || fail "$program recorded $recorded bytes of a $wanted-byte wave"
  fi
done
echo "install checks passed"
