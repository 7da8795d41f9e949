# What the two MinGW-w64 toolchain files share; each sets
# CMAKE_SYSTEM_PROCESSOR and PRALVIK_MINGW_PREFIX first.
set(CMAKE_C_COMPILER ${PRALVIK_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${PRALVIK_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${PRALVIK_MINGW_PREFIX}-windres)

# Read by the project's CMake: which runtime support the module links.
set(PRALVIK_HOST_ABI gnu)

# Beside MinGW's own tree, the project's static builds of the libraries
# matfile.exe reads with (scripts/build-windows-deps).
set(CMAKE_FIND_ROOT_PATH /usr/${PRALVIK_MINGW_PREFIX}
    ${CMAKE_CURRENT_LIST_DIR}/../build/deps/${PRALVIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

include(${CMAKE_CURRENT_LIST_DIR}/WineLoader.cmake)
