# Takes away every file of the site's game/ folder that FETCHED (a file of
# names, one a line, relative to game/) does not name: one packed with the
# module or gone from the game folder since an earlier build. The list of
# the site's files is written after it (tools/web/site.py).
#   cmake -DSITE=<site folder> -DFETCHED=<file> -P SiteFiles.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT IS_DIRECTORY "${SITE}")
  message(FATAL_ERROR "SiteFiles.cmake: no site folder: ${SITE}")
endif()
if(NOT FETCHED)
  message(FATAL_ERROR "SiteFiles.cmake: no FETCHED list")
endif()
file(STRINGS "${FETCHED}" keep)
file(GLOB_RECURSE present RELATIVE "${SITE}/game" "${SITE}/game/*")
foreach(name ${present})
  if(NOT name IN_LIST keep)
    file(REMOVE "${SITE}/game/${name}")
  endif()
endforeach()
