# Cross build for Windows with Debian's MinGW-w64. VELO_MINGW_ARCH picks the
# width: i686 for the shipped 32-bit program, x86_64 for the 64-bit twins
# that run the tests on hosts without 32-bit Wine. VELO_MINGW_THREADS picks
# the thread model: win32 for the shipped program (no extra imports), posix
# for test executables (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VELO_MINGW_ARCH)
  set(VELO_MINGW_ARCH i686)
endif()
if(NOT VELO_MINGW_THREADS)
  set(VELO_MINGW_THREADS win32)
endif()
# The compiler checks CMake makes in projects of their own read this file
# again: they must see the same choice.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELO_MINGW_ARCH
     VELO_MINGW_THREADS)
set(CMAKE_SYSTEM_PROCESSOR ${VELO_MINGW_ARCH})
set(triplet ${VELO_MINGW_ARCH}-w64-mingw32)
set(CMAKE_CXX_COMPILER ${triplet}-g++-${VELO_MINGW_THREADS})
set(CMAKE_C_COMPILER ${triplet}-gcc-${VELO_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
