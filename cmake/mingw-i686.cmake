# Cross build for 32-bit Windows with Debian's MinGW-w64. VELO_MINGW_THREADS
# picks the thread model: win32 for the shipped program (no extra imports),
# posix for test executables (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
if(NOT VELO_MINGW_THREADS)
  set(VELO_MINGW_THREADS win32)
endif()
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${VELO_MINGW_THREADS})
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${VELO_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
