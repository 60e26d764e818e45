# Cross-builds Orvane.dll (and Windows hosts) for 64-bit Windows with the mingw-w64 compilers:
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake
# The "posix" thread model is preferred over "win32": its libstdc++ is the complete one, and the C,
# C++ and Fortran compilers must agree on it because their runtimes are linked into one program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(driver_C gcc)
set(driver_CXX g++)
set(driver_Fortran gfortran)
foreach(language C CXX Fortran)
  find_program(ORVANE_MINGW_${language} NAMES ${ORVANE_MINGW_TRIPLET}-${driver_${language}}-posix
                                               ${ORVANE_MINGW_TRIPLET}-${driver_${language}})
  if(ORVANE_MINGW_${language})
    set(CMAKE_${language}_COMPILER ${ORVANE_MINGW_${language}})
  elseif(NOT language STREQUAL "Fortran")
    # Without this stop CMake would fall back on the native compiler and build for the wrong system.
    message(FATAL_ERROR "No ${ORVANE_MINGW_TRIPLET}-${driver_${language}} (Debian: g++-mingw-w64-x86-64-posix)")
  endif()
endforeach()
# The compilers' "-posix" suffix hides the triplet from CMake's search for binutils, so name them.
foreach(tool AR RANLIB NM OBJCOPY OBJDUMP STRIP DLLTOOL)
  string(TOLOWER ${tool} name)
  find_program(CMAKE_${tool} NAMES ${ORVANE_MINGW_TRIPLET}-${name})
endforeach()
find_program(CMAKE_RC_COMPILER NAMES ${ORVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
