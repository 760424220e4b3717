# Cross toolchain: Debian's mingw-w64 for 64-bit Windows. Not for the disc:
# the same sources as a 64-bit program, so that the menu can still be run
# end to end on a machine that cannot run 32-bit programs (a kernel without
# ia32 emulation), under Debian's wine64. Only the win32 variant.
set(MINGW_ARCH x86_64)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
