# Cross-compiles the suite for 64-bit Windows with MinGW-w64; the programs and
# tests run under Wine (CMAKE_CROSSCOMPILING_EMULATOR), which CTest uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${MINGW_PREFIX}-gcc-posix ${MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${MINGW_PREFIX}-g++-posix ${MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs in a prefix of its own: the WINEPREFIX of the environment that
# configures the build (CI gives a fresh temporary folder), else one in the
# build folder. WINEDEBUG=-all keeps Wine's own messages out of the output
# that the tests compare.
find_program(WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(ENV_COMMAND env REQUIRED)
if(DEFINED ENV{WINEPREFIX} AND NOT "$ENV{WINEPREFIX}" STREQUAL "")
  set(TEKORA_WINEPREFIX "$ENV{WINEPREFIX}")
else()
  set(TEKORA_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${ENV_COMMAND} WINEPREFIX=${TEKORA_WINEPREFIX} WINEDEBUG=-all ${WINE})
