# Installing the game (cmake --install) and packaging it (cpack: a .deb and
# a .tar.gz that can be unpacked and played where it lies).
#
# Layout under the prefix:
#   bin/glimmerhold, bin/glimmerhold-term
#   share/glimmerhold/                the game folder: data files, images/, sounds/, help
#   share/applications/, share/metainfo/, share/icons/hicolor/, share/man/man6/
#   share/doc/glimmerhold/            copyright, changelog.gz
# The Debian package moves the programs to /usr/games (DebianLayout.cmake).
include(GNUInstallDirs)

set(GLIM_APP_ID org.glimmerhold.Glimmerhold)
set(GLIM_INSTALL_GAMEDIR ${CMAKE_INSTALL_DATADIR}/glimmerhold)

# The programs find the installed game folder relative to their own folder,
# so an installed tree can be moved to another prefix as a whole.
file(RELATIVE_PATH GLIM_DATA_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/glimmerhold)
set_property(SOURCE shell/GameFolder.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS GLIM_INSTALL_DATA_FROM_BIN="${GLIM_DATA_FROM_BIN}")

set(GLIM_PROGRAMS glimmerhold-term)
if(TARGET glimmerhold)
  list(APPEND GLIM_PROGRAMS glimmerhold)
endif()
install(TARGETS ${GLIM_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Everything in data/ is what the game reads, but for the desktop icons,
# which go to the icon theme.
install(DIRECTORY data/ DESTINATION ${GLIM_INSTALL_GAMEDIR}
  PATTERN icons EXCLUDE
  PATTERN ".*" EXCLUDE
  PATTERN "*~" EXCLUDE)
install(DIRECTORY data/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor OPTIONAL
  FILES_MATCHING PATTERN "glimmerhold.png" PATTERN "glimmerhold.svg")

install(FILES packaging/${GLIM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${GLIM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog, compressed as Debian installs them (gzip
# -9n: no name or time stamp, so the same text gives the same bytes).
find_program(GLIM_GZIP gzip REQUIRED)
set(GLIM_GZIPPED)
foreach(file glimmerhold.6 glimmerhold-term.6 changelog)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/packaging/${file}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND ${GLIM_GZIP} -n -9 -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/${file} > ${out}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/${file}
    VERBATIM)
  list(APPEND GLIM_GZIPPED ${out})
endforeach()
add_custom_target(glim-gzipped-docs ALL DEPENDS ${GLIM_GZIPPED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/glimmerhold.6.gz
  ${CMAKE_CURRENT_BINARY_DIR}/packaging/glimmerhold-term.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The copyright (machine-readable, naming the game's licence and the
# libraries it is linked with) and the changelog, where Debian looks for them.
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The package.
set(CPACK_PACKAGE_NAME glimmerhold)
set(CPACK_PACKAGE_VENDOR "The Glimmerhold developers")
set(CPACK_PACKAGE_CONTACT "The Glimmerhold developers <glimmerhold@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "illustrated text adventure for the desktop")
set(CPACK_PACKAGE_DESCRIPTION "You are an apprentice wizard: the Keeper of Stones has slain your master
and taken the Wendle Staff. Type short English commands or click the
pictures, solve the puzzles, meet the characters of the world and win the
staff back.
.
The game is played in its window (glimmerhold) or in a terminal
(glimmerhold-term).")
set(CPACK_PACKAGE_INSTALL_DIRECTORY glimmerhold)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the rest are
# loaded at run time and named here: Qt's platform plugins (no window
# without them), and the music's soundfont and the window's fonts, which the
# game does without.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET glimmerhold)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-urw-base35")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Games in /usr/games, for the Debian package only.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/DebianLayout.cmake)
set(CPACK_GLIM_BINDIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_GLIM_PROGRAMS ${GLIM_PROGRAMS})
set(CPACK_GLIM_STRIP ${CMAKE_STRIP})
set(CPACK_GLIM_SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
set(CPACK_SOURCE_IGNORE_FILES "/build[^/]*/" "/\\\\.git/")
include(CPack)

# The installed tree, checked from a scratch prefix.
if(GLIM_BUILD_TESTS)
  add_test(NAME pkg_install
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/pkg_install.sh ${CMAKE_CURRENT_BINARY_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(pkg_install PROPERTIES TIMEOUT 300)
  add_test(NAME pkg_interactive
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/pkg_interactive.sh
      $<TARGET_FILE:glimmerhold-term> ${CMAKE_CURRENT_SOURCE_DIR}/tests/fixtures/example)
  set_tests_properties(pkg_interactive PROPERTIES TIMEOUT 120)
  # The Debian package, made in a scratch folder and checked with lintian.
  add_test(NAME pkg_deb COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/pkg_deb.sh ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(pkg_deb PROPERTIES TIMEOUT 600)
endif()
