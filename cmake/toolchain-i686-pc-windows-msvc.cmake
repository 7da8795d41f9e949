# Cross build of the 32-bit Windows module and its stand-in host in the host's
# C++ ABI (Microsoft's: decoration, table layout, __thiscall), with clang.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PRALVIK_MSVC_TRIPLE i686-pc-windows-msvc)
set(PRALVIK_WINE_LIBRARY_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
include(${CMAKE_CURRENT_LIST_DIR}/MsvcToolchain.cmake)
