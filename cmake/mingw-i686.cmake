# Cross toolchain: Debian's mingw-w64 for 32-bit Windows.
# MINGW_THREADS selects the compiler variant: "win32", used for everything
# (no winpthreads, nothing newer than Windows 98); "posix" pulls in
# winpthreads and GetTickCount64.
# MINGW_ARCH: x86_64 for the 64-bit build of mingw-x86_64.cmake.
if(NOT DEFINED MINGW_ARCH)
  set(MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})

if(NOT DEFINED MINGW_THREADS)
  set(MINGW_THREADS win32)
endif()
set(MINGW_THREADS ${MINGW_THREADS} CACHE STRING "mingw-w64 thread model: win32 or posix")

set(_triple ${MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${_triple}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${_triple}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Programs built here run under Wine, through a private prefix per version.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
