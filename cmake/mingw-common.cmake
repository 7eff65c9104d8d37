# Shared by both MinGW-w64 toolchains: the posix-thread compilers, resource compiler,
# and a root path that keeps the host's headers and libraries out.
set(CMAKE_C_COMPILER ${GENBA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GENBA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GENBA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${GENBA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
