# Cross-compiling for 32-bit Windows with clang and lld, on the headers,
# import libraries and C++ runtime of the mingw-w64 gcc installation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZELVAR_TARGET i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${ZELVAR_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${ZELVAR_TARGET})
set(CMAKE_RC_COMPILER ${ZELVAR_TARGET}-windres)

# Clang 14 does not recognise Debian's "12-posix" gcc folder, so the C++
# headers and the gcc runtime libraries are named here.
file(GLOB ZELVAR_GCC_DIRS /usr/lib/gcc/${ZELVAR_TARGET}/*-posix)
if(NOT ZELVAR_GCC_DIRS)
  message(FATAL_ERROR "No /usr/lib/gcc/${ZELVAR_TARGET}/*-posix: run tools/setup.sh")
endif()
list(SORT ZELVAR_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET ZELVAR_GCC_DIRS 0 ZELVAR_GCC_DIR)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${ZELVAR_GCC_DIR}/include/c++
  ${ZELVAR_GCC_DIR}/include/c++/${ZELVAR_TARGET}
  ${ZELVAR_GCC_DIR}/include/c++/backward)
foreach(kind IN ITEMS EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${ZELVAR_GCC_DIR}")
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVAR_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
