# libpng for the Windows target: the system's where it has one (vcpkg, MSYS2,
# a prefix in CMAKE_PREFIX_PATH), used as it is; else built from Debian's
# source package (fetched by scripts/setup into build/deps) against the static
# mingw-w64 zlib, for decoding only.
add_library(wordhop_png INTERFACE)
if(MINGW)
  # Static libraries only: the program carries its libraries, no DLL beside it.
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
find_package(PNG QUIET)
if(PNG_FOUND)
  message(STATUS "libpng: the system's, ${PNG_LIBRARY}")
  target_link_libraries(wordhop_png INTERFACE PNG::PNG)
  return()
endif()
# On Windows there is no Debian source to build from: the library comes from
# vcpkg or MSYS2.
if(CMAKE_HOST_WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_library_missing.cmake)
  windows_library_missing(libpng libpng libpng)
endif()
message(STATUS "libpng: built from Debian's source")

set(WORDHOP_DEPS_DIR ${CMAKE_SOURCE_DIR}/build/deps)
file(GLOB libpng_archive ${WORDHOP_DEPS_DIR}/libpng1.6_*.orig.tar.*)
if(NOT libpng_archive)
  message(FATAL_ERROR "libpng source not found in ${WORDHOP_DEPS_DIR}: run scripts/setup")
endif()
list(GET libpng_archive 0 libpng_archive)
set(libpng_source_root ${CMAKE_BINARY_DIR}/_deps/libpng)
if(NOT EXISTS ${libpng_source_root}/CMakeLists.txt)
  file(ARCHIVE_EXTRACT INPUT ${libpng_archive} DESTINATION ${CMAKE_BINARY_DIR}/_deps/libpng-extract)
  file(GLOB libpng_top ${CMAKE_BINARY_DIR}/_deps/libpng-extract/libpng-*)
  file(RENAME ${libpng_top} ${libpng_source_root})
endif()

find_library(WORDHOP_ZLIB_STATIC NAMES libz.a REQUIRED)
set(ZLIB_LIBRARY ${WORDHOP_ZLIB_STATIC} CACHE FILEPATH "" FORCE)
set(ZLIB_INCLUDE_DIR /usr/${WORDHOP_MINGW_TRIPLET}/include CACHE PATH "" FORCE)
set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
set(DFA_XTRA ${CMAKE_SOURCE_DIR}/cmake/libpng-read-only.dfa CACHE FILEPATH "" FORCE)
add_subdirectory(${libpng_source_root} ${CMAKE_BINARY_DIR}/_deps/libpng-build EXCLUDE_FROM_ALL)

target_link_libraries(wordhop_png INTERFACE png_static ${WORDHOP_ZLIB_STATIC})
target_include_directories(wordhop_png INTERFACE ${libpng_source_root} ${CMAKE_BINARY_DIR}/_deps/libpng-build)
