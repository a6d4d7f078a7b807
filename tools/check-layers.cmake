# Fails when an #include runs against the floors: each folder may include
# only itself and the floors below it (docs/architecture.md), and the core
# includes no platform header. Run as a test:
#   cmake -DROOT=<source dir> -P tools/check-layers.cmake
cmake_minimum_required(VERSION 3.20)

set(allowed_win win)
set(allowed_game game)
set(allowed_render render game win ids)
set(allowed_records records win ids)
set(allowed_shell shell render records game win ids)
set(allowed_ids "")

set(violations "")
foreach(floor win game render records shell ids)
  file(GLOB_RECURSE sources RELATIVE ${ROOT}
       ${ROOT}/${floor}/*.h ${ROOT}/${floor}/*.cpp ${ROOT}/${floor}/*.rc)
  foreach(source IN LISTS sources)
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
        set(target ${CMAKE_MATCH_1})
        if(NOT target IN_LIST allowed_${floor})
          string(APPEND violations "  ${source}: ${line}  (${floor}/ may not include ${target}/)\n")
        endif()
      elseif(floor STREQUAL "game" AND line MATCHES "<(windows|winuser|wingdi|mmsystem|gdiplus)[.]h>")
        string(APPEND violations "  ${source}: ${line}  (the core makes no platform calls)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "includes against the floors:\n${violations}")
endif()
message(STATUS "every include runs down the floors")
