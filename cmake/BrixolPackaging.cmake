# The release zip a Windows player downloads: Brixol-<version>-win32.zip or
# -win64.zip, holding a folder with the stripped Brixol.exe, a Japanese
# read-me and the licence.
#   cmake --build --preset win32 --target package
# The read-me is UTF-16LE with a byte order mark and CRLF line ends, the one
# form that Notepad on every Windows from XP on reads right.
if(NOT WIN32 OR NOT TARGET Brixol)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(BRIXOL_ARCH win64)
else()
  set(BRIXOL_ARCH win32)
endif()
set(BRIXOL_VERSION ${PROJECT_VERSION})

find_program(BRIXOL_ICONV iconv REQUIRED)
find_program(BRIXOL_OBJDUMP NAMES ${BRIXOL_MINGW_TRIPLE}-objdump objdump REQUIRED)

# Text files as Notepad wants them: CRLF line ends; the read-me converted to
# UTF-16LE behind a byte order mark.
function(brixol_windows_text source output utf16)
  file(READ ${source} text)
  string(CONFIGURE "${text}" text @ONLY)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  if(utf16)
    string(ASCII 239 187 191 bom)  # U+FEFF in UTF-8; UTF-16LE makes it FF FE
    file(WRITE ${output}.utf8 "${bom}${text}")
    execute_process(COMMAND ${BRIXOL_ICONV} -f UTF-8 -t UTF-16LE ${output}.utf8
                    OUTPUT_FILE ${output} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot convert ${source} to UTF-16")
    endif()
  else()
    file(WRITE ${output} "${text}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

set(BRIXOL_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
brixol_windows_text(${PROJECT_SOURCE_DIR}/packaging/readme-ja.txt ${BRIXOL_PACKAGE_FILES}/Readme.txt TRUE)
brixol_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${BRIXOL_PACKAGE_FILES}/LICENSE.txt FALSE)

install(TARGETS Brixol RUNTIME DESTINATION .)
install(FILES ${BRIXOL_PACKAGE_FILES}/Readme.txt ${BRIXOL_PACKAGE_FILES}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Brixol)
set(CPACK_PACKAGE_VENDOR "Brixol Project")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Brixol-${PROJECT_VERSION}-${BRIXOL_ARCH})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_BRIXOL_OBJDUMP ${BRIXOL_OBJDUMP})
set(CPACK_BRIXOL_ICONV ${BRIXOL_ICONV})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/BrixolPackageCheck.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/BrixolPackageCheck.cmake)
include(CPack)
