# Cross build for Windows with the posix-thread mingw-w64 compilers of one
# target triplet (set WORDHOP_MINGW_TRIPLET and WORDHOP_WINE_ARCH first);
# the programs built here run under the Wine loader of that architecture.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${WORDHOP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WORDHOP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${WORDHOP_MINGW_TRIPLET}-windres)

# The triplet's own folder, and the prefixes given in CMAKE_PREFIX_PATH (where
# Windows libraries built for this target were installed).
set(CMAKE_FIND_ROOT_PATH /usr/${WORDHOP_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run ${WORDHOP_WINE_ARCH})
