# Initial cache (cmake -C) of the build that `make test-windows` drives under Wine: lightly optimised, without
# debug information and stripped, so that a first build on a fresh machine stays short. `make windows` keeps
# its own build with debug information.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(CMAKE_C_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "")
set(CMAKE_SHARED_LINKER_FLAGS "-s" CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS "-s" CACHE STRING "")
