# CTest runs Windows programs through Wine's loader for the target's
# architecture, named directly: Debian's `wine` wrapper always takes the
# 32-bit loader when it is installed, also where the kernel refuses to run it.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" OR CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  set(PRALVIK_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "Wine's loader for the target")
else()
  set(PRALVIK_WINE_LOADER /usr/lib/wine/wine CACHE FILEPATH "Wine's loader for the target")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${PRALVIK_WINE_LOADER})
