# Cross-compiling for 32-bit Windows with the posix-thread mingw-w64 compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(BRIXOL_MINGW_TRIPLE i686-w64-mingw32)
set(BRIXOL_WINE_NAMES wine)

# Floating point in the x87 unit, as every processor that runs Windows XP has
# it (SSE would shut out the Pentium II, the first Athlons and Durons, the VIA
# C3). x87 registers hold 64-bit mantissas; -ffloat-store rounds every float
# variable to float32 when it is stored, so that the game's float arithmetic
# gives bit for bit what the SSE builds give.
# A compile option rather than CMAKE_CXX_FLAGS_INIT, which lands in the cache
# once: a build folder configured before would silently go without it.
add_compile_options(-ffloat-store)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
