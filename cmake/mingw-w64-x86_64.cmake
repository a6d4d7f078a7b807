# Cross-compiling for 64-bit Windows with the posix-thread mingw-w64 compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BRIXOL_MINGW_TRIPLE x86_64-w64-mingw32)
# The 64-bit loader itself: Debian's `wine` command picks the 32-bit loader
# whenever wine32 is installed, also where it cannot run.
set(BRIXOL_WINE_NAMES wine64 wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
