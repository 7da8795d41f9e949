# Cross build of the 64-bit Windows module and its stand-in host in the host's
# C++ ABI (Microsoft's: decoration, table layout), with clang. CTest and the
# tests run its programs under Wine's 64-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PRALVIK_MSVC_TRIPLE x86_64-pc-windows-msvc)
set(PRALVIK_WINE_LIBRARY_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
include(${CMAKE_CURRENT_LIST_DIR}/MsvcToolchain.cmake)
