#!/usr/bin/env bash
# Builds the Debian packages pomuri_<version>_amd64.deb and libwavemix-dev_<version>_amd64.deb
# from a release build with Debian's hardening flags (dpkg-buildflags), installed under /usr.
#
#   tools/build_deb.sh [BUILD_DIR [CMAKE_OPTION...]]    BUILD_DIR defaults to build-deb;
#                                                       the .deb files are written there
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
shift || true
# Every hardening feature, bindnow included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads no CPPFLAGS: the preprocessor flags (_FORTIFY_SOURCE) go with the compiler's.
# Given as options, not in the environment, so that a second run with an older cache uses them.
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DPOMURI_GAME_BINDIR=games -DPOMURI_BUILD_TESTS=OFF "$@"
cmake --build "$build"
cd "$build"
rm -f ./*.deb
cpack
