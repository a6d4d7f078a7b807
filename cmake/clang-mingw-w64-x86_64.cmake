# The 64-bit Windows build with clang instead of GCC, on the same mingw-w64
# headers and libraries: a second compiler that rejects GNU extensions, so
# that the Windows code stays standard C++ that MSVC builds too.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BRIXOL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${BRIXOL_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${BRIXOL_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${BRIXOL_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${BRIXOL_MINGW_TRIPLE}-ar)
set(CMAKE_RANLIB ${BRIXOL_MINGW_TRIPLE}-ranlib)
set(CMAKE_SYSROOT /usr/${BRIXOL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find Debian's GCC of the posix thread model by itself (its
# folder is named "<version>-posix"); that GCC says where it lives, and its
# C++ library is the one the GCC build uses.
execute_process(COMMAND ${BRIXOL_MINGW_TRIPLE}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gccDir "${libgcc}" DIRECTORY)
set(cxxHeaders "${gccDir}/include/c++")
if(NOT EXISTS "${cxxHeaders}/${BRIXOL_MINGW_TRIPLE}/bits/c++config.h")
  message(FATAL_ERROR "no C++ headers of ${BRIXOL_MINGW_TRIPLE}-g++-posix in ${cxxHeaders}")
endif()
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    "${cxxHeaders}" "${cxxHeaders}/${BRIXOL_MINGW_TRIPLE}" "${cxxHeaders}/backward")
# That library compares type_info out of line, as GCC's mingw-w64 target says
# with this macro; clang leaves it unset, and the headers then define the
# comparison inline too, a second definition beside the library's.
set(typeinfoAbi "-D__GXX_TYPEINFO_EQUALITY_INLINE=0")

# Every extension to ISO C++ is an error in our code, and every GNU one by
# its own group as well, also those clang reports outside -Wpedantic; system
# headers are exempt, as from every warning. -Werror=pedantic rather than -pedantic-errors, which
# the project's -Wpedantic would turn back into warnings.
set(gnuOnly "-Werror=pedantic -Werror=gnu -Werror=vla -Werror=zero-length-array -Werror=gnu-zero-variadic-macro-arguments -Werror=language-extension-token")
set(CMAKE_C_FLAGS_INIT "${gnuOnly}")
set(CMAKE_CXX_FLAGS_INIT "${typeinfoAbi} ${gnuOnly}")

# One self-contained exe, as with GCC. -pthread puts the posix thread library
# after libgcc_eh, which needs it. LLVM's linker, because GNU ld warns on
# every link that clang's copies of the library's type names differ in size
# from GCC's.
set(linkFlags "-fuse-ld=lld -static -pthread -L${gccDir}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${linkFlags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${linkFlags}")
