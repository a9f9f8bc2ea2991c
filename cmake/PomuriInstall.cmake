# What `cmake --install` puts where (default prefix /usr/local):
#   bin/pomuri, bin/wavemix_demo            the game and the mixer's demo
#   share/pomuri/dat, share/pomuri/cg        the game's loose assets (never a my.dat)
#   share/applications/pomuri.desktop        the menu entry
#   share/icons/hicolor/NxN/apps/pomuri.png  the icon, drawn at each size from one drawing
#   include/pomuri/…, lib/libwavemix.a …     the mixer as a library,
#   lib/cmake/wavemix/                       found with find_package(wavemix)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(POMURI_ICON_SIZES 32 48 128 256)
set(POMURI_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

if(NOT POMURI_CORE_ONLY)
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

  install(TARGETS pomuri wavemix_demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${POMURI_BIN_DIR}/dat ${POMURI_BIN_DIR}/cg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/pomuri
          PATTERN "my.dat*" EXCLUDE)
  install(FILES ${POMURI_BIN_DIR}/WAVEMIX.INI DESTINATION ${CMAKE_INSTALL_DATADIR}/pomuri)
  install(FILES ${CMAKE_SOURCE_DIR}/install/pomuri.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size ${POMURI_ICON_SIZES})
    install(FILES ${POMURI_ICON_DIR}/${size}x${size}/pomuri.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# The mixer package. Headers keep their folders under include/pomuri so the library's own
# "#include "wavemix/…"" and "platform/…" lines work unchanged for a consumer.
set(WAVEMIX_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/pomuri)
install(TARGETS wavemix platform_core EXPORT wavemixTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${WAVEMIX_INCLUDE_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/wavemix/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/wavemix
        FILES_MATCHING PATTERN "*.h" PATTERN "qt" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/core/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/platform/core
        FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/audio/ DESTINATION ${WAVEMIX_INCLUDE_DIR}/platform/audio
        FILES_MATCHING PATTERN "*.h")
install(EXPORT wavemixTargets NAMESPACE wavemix:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/wavemixConfig.cmake.in
  ${CMAKE_BINARY_DIR}/wavemixConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/wavemixConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/wavemixConfig.cmake ${CMAKE_BINARY_DIR}/wavemixConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/wavemix)
