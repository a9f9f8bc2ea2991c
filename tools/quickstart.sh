#!/usr/bin/env bash
# Sets up a Debian 12 machine for the game, builds it, and then either starts it or runs
# every test. Safe to run again: only missing packages are installed, builds are incremental.
#
#   tools/quickstart.sh play   install, build, start the game
#   tools/quickstart.sh test   install, build, run every test (also the sanitizer builds and
#                              a short run of every fuzzer)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-play}
case "$mode" in play|test) ;; *) echo "usage: $0 play|test" >&2; exit 2 ;; esac

build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev libjpeg62-turbo-dev
  libasound2-dev libasound2-plugins libfluidsynth-dev libpulse-dev timgm6mb-soundfont
  fonts-ipafont-gothic libinih-dev libgtest-dev libgmock-dev)
test_packages=(xvfb xauth x11-utils xdotool libxcb1-dev pulseaudio pulseaudio-utils sox clang
  libclang-rt-14-dev libbenchmark-dev)
# PipeWire for the real-sound checks on it (its ALSA plug-in is unpacked below instead).
test_packages+=(pipewire pipewire-pulse wireplumber dbus-daemon)
# The Debian packages: building them, checking them, a screenshot of the installed game, and
# a fresh Debian 12 to install them on.
test_packages+=(dpkg-dev lintian appstream imagemagick debootstrap)
# The accessibility check over the AT-SPI bus (Orca, which only a hand-run check uses, is
# left out: see HACKING.md).
test_packages+=(at-spi2-core python3-pyatspi)

wanted=("${build_packages[@]}")
[ "$mode" = test ] && wanted+=("${test_packages[@]}")
missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

werror=OFF
[ "${CI:-}" = true ] && werror=ON
jobs=$(nproc)

# A compiler cache, where one is installed, makes a second build tree or a fresh clone cheap.
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure() {  # dir, extra cmake options...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DPOMURI_WERROR=$werror "${launcher[@]}" "$@"
  else
    cmake "$dir" -DPOMURI_WERROR=$werror "$@" > /dev/null
  fi
}

configure build
cmake --build build -j "$jobs"

# PipeWire's ALSA plug-in, for the checks that play through it. Its package conflicts with
# pulseaudio, which the other checks need, so it is unpacked into the build tree (where
# tests/e2e/pipewire_env.sh looks) rather than installed. Without it those checks skip.
if [ "$mode" = test ] && ! ls build/pipewire-alsa/usr/lib/*/alsa-lib/libasound_module_pcm_pipewire.so > /dev/null 2>&1; then
  fetch=$(mktemp -d)
  if (cd "$fetch" && apt-get download pipewire-alsa > /dev/null 2>&1); then
    dpkg-deb -x "$fetch"/pipewire-alsa_*.deb build/pipewire-alsa
  else
    echo "pipewire-alsa could not be downloaded; the checks through PipeWire's ALSA plug-in will skip"
  fi
  rm -rf "$fetch"
fi

if [ "$mode" = play ]; then
  exec build/bin/pomuri
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs"

# The mixer and the file formats once more under AddressSanitizer and UBSan.
configure build-sanitize -DPOMURI_SANITIZE=ON -DPOMURI_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j "$jobs"

# The mixer's pump thread beside the GUI thread's calls, and the devices, under
# ThreadSanitizer (clang): any report fails the test that caused it.
CC=clang CXX=clang++ configure build-tsan -DPOMURI_TSAN=ON -DPOMURI_CORE_ONLY=ON
cmake --build build-tsan -j "$jobs" --target wavemix_tests audio_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir build-tsan --output-on-failure --no-tests=error -j "$jobs"

# Every fuzzer (the wave loader and the file readers) for a short run on its seeds under
# ASan and UBSan: 15 s each by default (-DPOMURI_FUZZ_SECONDS=N on build-fuzz to change).
CC=clang CXX=clang++ configure build-fuzz -DPOMURI_CORE_ONLY=ON -DPOMURI_FUZZ=ON
cmake --build build-fuzz -j "$jobs" --target fuzzers
ctest --test-dir build-fuzz -L fuzz --output-on-failure --no-tests=error -j "$jobs"
