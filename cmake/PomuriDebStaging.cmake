# Run by CPack after the components are installed into its staging folder and before the
# packages are made, for what dh_strip and dh_lintian would do in a Debian source package:
#  - programs lose their .comment/.note sections (CPACK_STRIP_FILES has removed the symbols);
#  - static libraries lose debug information, those sections and their member time stamps;
#  - the game's package says why lintian's remaining findings stay.
set(staging "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(GLOB programs "${staging}/*/usr/bin/*" "${staging}/*/usr/games/*")
file(GLOB_RECURSE archives "${staging}/*.a")
foreach(file IN LISTS programs archives)
  set(options --remove-section=.comment --remove-section=.note)
  if(file MATCHES "\\.a$")
    list(APPEND options --strip-debug --enable-deterministic-archives)
  endif()
  execute_process(COMMAND strip ${options} "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip failed on ${file}")
  endif()
endforeach()

if(IS_DIRECTORY "${staging}/game")
  file(WRITE "${staging}/game/usr/share/lintian/overrides/pomuri"
"# The mixer's error texts are kept byte for byte as callers compare them, misspelling included.
pomuri: spelling-error-in-binary syncronous synchronous [usr/bin/wavemix_demo]
pomuri: spelling-error-in-binary syncronous synchronous [usr/games/pomuri]
# wavemix_demo is the mixer's command-line tool, not a game: it stays in /usr/bin.
pomuri: package-section-games-but-has-usr-bin
")
endif()
