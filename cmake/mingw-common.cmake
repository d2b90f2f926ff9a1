# Cross-compiles the Windows programs with mingw-w64; included by the per-architecture toolchain files.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix variants: the win32-thread runtime has no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${VANTREL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows test executables run under Wine, with the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
