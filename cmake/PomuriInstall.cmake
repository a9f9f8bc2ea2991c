# What `cmake --install` puts where (default prefix /usr/local), by component:
#  game (the Debian package pomuri):
#   bin/pomuri, bin/wavemix_demo                       the game (games/pomuri in the Debian
#                                                      package) and the mixer's demo
#   share/pomuri/dat, share/pomuri/cg, WAVEMIX.INI      the game's loose assets (never a my.dat)
#   share/applications/pomuri.desktop                  the menu entry
#   share/icons/hicolor/NxN/apps/pomuri.png            the icon, drawn at each size from one drawing
#   share/metainfo/<id>.metainfo.xml                   the software centre's description
#   share/man/man6/pomuri.6.gz, man1/wavemix_demo.1.gz the manual pages
#   share/doc/pomuri/copyright, changelog.gz
#  dev (the Debian package libwavemix-dev):
#   include/pomuri/{wavemix,audio,platform/core}/*.h   the mixer's headers
#   lib/libwavemix.a, lib/libaudio.a, lib/libplatform_core.a   the mixer, its output devices
#                                                      and the adapters they reach
#   lib/cmake/wavemix/, lib/pkgconfig/wavemix.pc       find_package(wavemix), pkg-config wavemix
#   share/doc/libwavemix-dev/copyright, changelog.gz
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(POMURI_AUTHORS "Pomuri developers")
set(POMURI_MAINTAINER "Pomuri developers <pomuri@example.org>")
set(POMURI_LICENSE "MIT")
set(POMURI_COPYRIGHT_YEAR 2026)
set(POMURI_RELEASE_DATE 2026-12-08)
set(POMURI_APPSTREAM_ID "org.example.pomuri" CACHE STRING "AppStream component id (reverse DNS)")
set(POMURI_HOMEPAGE "https://example.org/pomuri" CACHE STRING "The project's home page")
set(POMURI_SCREENSHOT_URL "${POMURI_HOMEPAGE}/screenshots" CACHE STRING
    "Where the four screenshots of docs/screenshots are published")
set(POMURI_DEV_PACKAGE libwavemix-dev)
# Debian keeps games in /usr/games (policy 11.11); the game finds its assets in ../share/pomuri
# from either folder.
set(POMURI_GAME_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the game's program is installed")

# Manual pages and changelogs are installed compressed the Debian way: gzip -9n, no name or
# time stamp inside, so that two builds give the same bytes.
function(pomuri_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9nc ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

set(POMURI_DOC_DIR ${CMAKE_BINARY_DIR}/install-docs)
file(MAKE_DIRECTORY ${POMURI_DOC_DIR})
pomuri_gzip(${CMAKE_SOURCE_DIR}/install/changelog ${POMURI_DOC_DIR}/changelog.gz)
set(doc_outputs ${POMURI_DOC_DIR}/changelog.gz)

if(NOT POMURI_CORE_ONLY)
  set(POMURI_ICON_SIZES 32 48 128 256)
  set(POMURI_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
  set(icon_outputs)
  foreach(size ${POMURI_ICON_SIZES})
    list(APPEND icon_outputs ${POMURI_ICON_DIR}/${size}x${size}/pomuri.png)
  endforeach()
  add_custom_command(
    OUTPUT ${icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:assetgen> --icons ${POMURI_ICON_DIR}
    DEPENDS assetgen
    COMMENT "Drawing the program's icon at each size"
    VERBATIM)
  add_custom_target(pomuri_icons ALL DEPENDS ${icon_outputs})

  pomuri_gzip(${CMAKE_SOURCE_DIR}/install/man/pomuri.6 ${POMURI_DOC_DIR}/pomuri.6.gz)
  pomuri_gzip(${CMAKE_SOURCE_DIR}/install/man/wavemix_demo.1 ${POMURI_DOC_DIR}/wavemix_demo.1.gz)
  list(APPEND doc_outputs ${POMURI_DOC_DIR}/pomuri.6.gz ${POMURI_DOC_DIR}/wavemix_demo.1.gz)
  set(POMURI_METAINFO ${CMAKE_BINARY_DIR}/${POMURI_APPSTREAM_ID}.metainfo.xml)
  configure_file(${CMAKE_SOURCE_DIR}/install/pomuri.metainfo.xml.in ${POMURI_METAINFO} @ONLY)

  install(TARGETS pomuri RUNTIME DESTINATION ${POMURI_GAME_BINDIR} COMPONENT game)
  install(TARGETS wavemix_demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
  install(DIRECTORY ${POMURI_BIN_DIR}/dat ${POMURI_BIN_DIR}/cg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/pomuri COMPONENT game
          PATTERN "my.dat*" EXCLUDE)
  install(FILES ${POMURI_BIN_DIR}/WAVEMIX.INI DESTINATION ${CMAKE_INSTALL_DATADIR}/pomuri COMPONENT game)
  install(FILES ${CMAKE_SOURCE_DIR}/install/pomuri.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
  foreach(size ${POMURI_ICON_SIZES})
    install(FILES ${POMURI_ICON_DIR}/${size}x${size}/pomuri.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT game)
  endforeach()
  install(FILES ${POMURI_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
  install(FILES ${POMURI_DOC_DIR}/pomuri.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
  install(FILES ${POMURI_DOC_DIR}/wavemix_demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT game)
  install(FILES ${CMAKE_SOURCE_DIR}/install/copyright ${POMURI_DOC_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pomuri COMPONENT game)
endif()
add_custom_target(pomuri_install_docs ALL DEPENDS ${doc_outputs})

# The mixer package. Headers keep their folders under include/pomuri so the library's own
# "#include "wavemix/…"" and "platform/…" lines work unchanged for a consumer.
set(WAVEMIX_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/pomuri)
install(TARGETS wavemix audio platform_core EXPORT wavemixTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
        INCLUDES DESTINATION ${WAVEMIX_INCLUDE_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/wavemix/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/wavemix COMPONENT dev
        FILES_MATCHING PATTERN "*.h" PATTERN "qt" EXCLUDE PATTERN "fuzz" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/core/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/platform/core
        COMPONENT dev FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/audio/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/audio
        COMPONENT dev FILES_MATCHING PATTERN "*.h" PATTERN "testing" EXCLUDE)
install(EXPORT wavemixTargets NAMESPACE wavemix:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix
        COMPONENT dev)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/wavemixConfig.cmake.in
  ${CMAKE_BINARY_DIR}/wavemixConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/wavemixConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/wavemixConfig.cmake ${CMAKE_BINARY_DIR}/wavemixConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix COMPONENT dev)
# wavemix.pc names the prefix the files are installed under, known only at install time
# (cmake --install --prefix, or /usr in the Debian package).
install(CODE "
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(WAVEMIX_INCLUDE_DIR \"${WAVEMIX_INCLUDE_DIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/cmake/wavemix.pc.in\" \"${CMAKE_BINARY_DIR}/wavemix.pc\" @ONLY)
  " COMPONENT dev)
install(FILES ${CMAKE_BINARY_DIR}/wavemix.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
install(FILES ${CMAKE_SOURCE_DIR}/install/copyright ${POMURI_DOC_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${POMURI_DEV_PACKAGE} COMPONENT dev)
