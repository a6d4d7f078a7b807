# Run by CPack before it packs the zip, on the files to be packed: checks that
# the exe is stripped and that the read-me and the licence are as Notepad
# wants them, and prints the exe's size. Run again after packing: prints the
# zip's size.
if(CPACK_PACKAGE_FILES)
  foreach(zip IN LISTS CPACK_PACKAGE_FILES)
    file(SIZE ${zip} bytes)
    get_filename_component(name ${zip} NAME)
    message(STATUS "${name}: ${bytes} bytes")
  endforeach()
  return()
endif()

# The folder that becomes the top folder of the zip.
set(dir ${CPACK_TEMPORARY_DIRECTORY})
foreach(name Brixol.exe Readme.txt LICENSE.txt)
  if(NOT EXISTS ${dir}/${name})
    message(FATAL_ERROR "the package lacks ${name}")
  endif()
endforeach()

execute_process(COMMAND ${CPACK_BRIXOL_OBJDUMP} -h ${dir}/Brixol.exe OUTPUT_VARIABLE sections RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the sections of the packed Brixol.exe")
endif()
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "the packed Brixol.exe still has debugging sections")
endif()

# True when a file, read as units of the given size (1 or 2 bytes), has a
# line feed without a carriage return before it. (file(READ) as text would
# drop the carriage returns, so this reads the bytes.)
function(brixol_has_bare_line_feed path unit_bytes result)
  file(READ ${path} hex HEX)
  if(unit_bytes EQUAL 2)
    set(cr 0d00)
    set(lf 0a00)
    string(REGEX MATCHALL "...." units "${hex}")
  else()
    set(cr 0d)
    set(lf 0a)
    string(REGEX MATCHALL ".." units "${hex}")
  endif()
  list(JOIN units " " text)
  string(REPLACE "${cr} ${lf}" "crlf" text "${text}")
  if(" ${text} " MATCHES " ${lf} ")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(READ ${dir}/Readme.txt head LIMIT 2 HEX)
if(NOT head STREQUAL "fffe")
  message(FATAL_ERROR "Readme.txt does not begin with the UTF-16LE byte order mark (begins with ${head})")
endif()
brixol_has_bare_line_feed(${dir}/Readme.txt 2 bare)
if(bare)
  message(FATAL_ERROR "Readme.txt has a line end without CR")
endif()

file(READ ${dir}/LICENSE.txt licence)
brixol_has_bare_line_feed(${dir}/LICENSE.txt 1 bare)
if(bare OR NOT licence MATCHES "MIT License" OR NOT licence MATCHES "Copyright \\(c\\) 2026 Brixol Project")
  message(FATAL_ERROR "LICENSE.txt is not the MIT licence with CRLF line ends")
endif()

file(SIZE ${dir}/Brixol.exe bytes)
message(STATUS "Brixol.exe (stripped): ${bytes} bytes")
