# Cross build for desktop Windows (x86_64) with mingw-w64, as Debian packages it
# (g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(FOLDWISE_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX thread model where Debian installs it beside the default: its C++ library has the
# standard threading types that GoogleTest needs. Everything is linked statically, so the choice
# adds no run-time DLL.
find_program(FOLDWISE_MINGW_GCC NAMES ${FOLDWISE_MINGW_PREFIX}-gcc-posix ${FOLDWISE_MINGW_PREFIX}-gcc REQUIRED)
find_program(FOLDWISE_MINGW_GXX NAMES ${FOLDWISE_MINGW_PREFIX}-g++-posix ${FOLDWISE_MINGW_PREFIX}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${FOLDWISE_MINGW_GCC})
set(CMAKE_CXX_COMPILER ${FOLDWISE_MINGW_GXX})
set(CMAKE_ASM_COMPILER ${FOLDWISE_MINGW_GCC})
set(CMAKE_RC_COMPILER ${FOLDWISE_MINGW_PREFIX}-windres)

# Headers and libraries come from the cross sysroot only; programs (windres, objdump) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${FOLDWISE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs built here run under Wine when it is installed (ctest in the cross build folder).
find_program(FOLDWISE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(FOLDWISE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FOLDWISE_WINE})
endif()
