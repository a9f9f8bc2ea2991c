# Debian packages made by CPack from the install components (see PomuriInstall.cmake):
#   pomuri_<version>_amd64.deb          the game (component game)
#   libwavemix-dev_<version>_amd64.deb  the mixer's static libraries and headers (component dev)
# Configure with -DCMAKE_INSTALL_PREFIX=/usr so that the library folder is the multiarch one;
# tools/build_deb.sh has the whole sequence.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pomuri)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${POMURI_MAINTAINER}")
set(CPACK_PACKAGE_VENDOR "${POMURI_AUTHORS}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
if(POMURI_CORE_ONLY)
  set(CPACK_COMPONENTS_ALL dev)
else()
  set(CPACK_COMPONENTS_ALL game dev)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE pomuri)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${POMURI_HOMEPAGE}")
# Stripped sections and the lintian overrides: see PomuriDebStaging.cmake.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PomuriDebStaging.cmake)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME pomuri)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
# dpkg-shlibdeps finds the libraries the programs link; these are used without linking:
# a General MIDI SoundFont for the tune, the Japanese Gothic fonts the window is drawn in
# (by family name), and the ALSA plugin that routes ALSA's default device to the sound server.
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS
    "timgm6mb-soundfont | sf2-soundfont-gm, fonts-ipafont-gothic, libasound2-plugins")
set(CPACK_COMPONENT_GAME_DESCRIPTION
"joke fortune-telling game with a trembling fortune-teller
A cartoon fortune-teller with a trembling face talks to the player one line
at a time, asks a name, sex and birthday, offers three words to choose from
and hands over a result sheet: four star ratings, a lucky item, a score out
of 100 and a piece of advice nobody should take seriously. A second game
tells the compatibility of two birthdays.
.
Sound effects are mixed in real time by the game's own eight-channel wave
mixer; its demo tool wavemix_demo is included.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${POMURI_DEV_PACKAGE})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# The CMake package finds inih through pkg-config, so pkg-config is needed, not just useful.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libasound2-dev, libinih-dev, pkg-config")
set(CPACK_COMPONENT_DEV_DESCRIPTION
"real-time eight-channel wave mixer (static library and headers)
The wave mixer plays up to eight channels of short wave sounds at once
through one output device: ALSA, a silent clock-paced device, or a WAV file,
chosen with WAVEMIX_OUTPUT. Waves are loaded from files or memory and
converted once; plays can loop, wait for each other or start at once.
.
The package includes a blocking message loop and a host object, so that a
program without a GUI toolkit plays a file in a few lines, a CMake package
(find_package(wavemix)) and a pkg-config file (wavemix).")

include(CPack)
