set(CMAKE_C_COMPILER ${BRIXOL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRIXOL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRIXOL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BRIXOL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained exe: no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows test programs run under wine, each with the loader of its word size
# (BRIXOL_WINE_NAMES, set by the toolchain file; Debian keeps the loaders in
# /usr/lib/wine).
find_program(BRIXOL_WINE_LOADER NAMES ${BRIXOL_WINE_NAMES} PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${BRIXOL_WINE_LOADER})
