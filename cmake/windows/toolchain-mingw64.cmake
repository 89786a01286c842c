# Cross-compilation for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, for std::thread and
# thread_local support in the C++ library). Libraries that the build needs for Windows live under
# VRK_MINGW_PREFIX (libxml2 from cmake/windows/build-libxml2.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VRK_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VRK_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VRK_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${VRK_MINGW_HOST}-windres)
set(VRK_WIDL ${VRK_MINGW_HOST}-widl CACHE STRING "IDL compiler for the type library")

if(NOT DEFINED VRK_MINGW_PREFIX)
  if(DEFINED ENV{XDG_CACHE_HOME})
    set(VRK_MINGW_PREFIX $ENV{XDG_CACHE_HOME}/vrk5420/libxml2-mingw)
  else()
    set(VRK_MINGW_PREFIX $ENV{HOME}/.cache/vrk5420/libxml2-mingw)
  endif()
endif()
set(VRK_MINGW_PREFIX ${VRK_MINGW_PREFIX} CACHE PATH "Prefix of the Windows builds of third-party libraries")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VRK_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${VRK_MINGW_HOST} ${VRK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
