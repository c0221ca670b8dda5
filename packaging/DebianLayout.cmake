# Run by cpack once it has installed the game into its staging folder and
# before it makes each package (CPACK_PRE_BUILD_SCRIPTS).
#
# The Debian package puts the programs where Debian puts games, /usr/games;
# from there the game folder is ../share/glimmerhold just as from bin/, so
# the programs find it unchanged. Every other package and a plain
# `cmake --install` keep them in bin/. The programs also lose the compiler's
# notes (.comment, .note), as Debian's own packaging strips them, and the
# package gets its lintian overrides.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(bindir "${usr}/${CPACK_GLIM_BINDIR}")
file(MAKE_DIRECTORY "${usr}/games")
foreach(name IN LISTS CPACK_GLIM_PROGRAMS)
  if(NOT EXISTS "${bindir}/${name}")
    message(FATAL_ERROR "${name} is not in the staging folder's ${CPACK_GLIM_BINDIR}/")
  endif()
  execute_process(COMMAND "${CPACK_GLIM_STRIP}" --remove-section=.comment --remove-section=.note "${bindir}/${name}"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip ${name} failed")
  endif()
  file(RENAME "${bindir}/${name}" "${usr}/games/${name}")
endforeach()
file(GLOB left "${bindir}/*")
if(left)
  message(FATAL_ERROR "left in ${CPACK_GLIM_BINDIR}/: ${left}")
endif()
file(REMOVE_RECURSE "${bindir}")

file(MAKE_DIRECTORY "${usr}/share/lintian/overrides")
file(COPY_FILE "${CPACK_GLIM_SOURCE_DIR}/packaging/glimmerhold.lintian-overrides"
  "${usr}/share/lintian/overrides/glimmerhold")
