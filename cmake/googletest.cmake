# GoogleTest: the system's where it has one (vcpkg, MSYS2, Debian's
# libgtest-dev), else Debian's source package, built by the preset with its own
# compiler (the cross builds: no Windows GoogleTest is installed here).
find_package(GTest CONFIG QUIET)
if(GTest_FOUND)
  message(STATUS "GoogleTest: the system's, ${GTest_DIR}")
  # MSYS2's is a DLL built against the shared C++ runtime: a test program
  # linked with the static one would hand its objects to another runtime.
  get_target_property(WORDHOP_GTEST_TYPE GTest::gtest TYPE)
  if(MINGW AND WORDHOP_GTEST_TYPE STREQUAL "SHARED_LIBRARY")
    set(WORDHOP_GTEST_SHARED ON)
  endif()
  return()
endif()
if(CMAKE_HOST_WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_library_missing.cmake)
  windows_library_missing(GoogleTest gtest gtest)
endif()
message(STATUS "GoogleTest: built from /usr/src/googletest")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
