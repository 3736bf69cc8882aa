# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX thread model, so that
# std::thread and std::mutex work). Programs run on this machine; headers, libraries and
# CMake packages come from the MinGW root and from the folders in PYX_WIN_PREFIXES.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PYX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PYX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PYX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PYX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PYX_MINGW_TRIPLE} $ENV{PYX_WIN_PREFIXES} ${PYX_WIN_PREFIXES})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Test programs run under Wine (CTest and GoogleTest's discovery use this).
find_program(PYX_WINE_PROGRAM NAMES wine wine64)
if(PYX_WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PYX_WINE_PROGRAM})
endif()
