# Cross build of the 64-bit Windows module (for 64-bit hosts), its stand-in
# host and the Windows tests with MinGW-w64 (win32 thread model). CTest runs
# the test programs under Wine's 64-bit loader through the emulator setting.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PRALVIK_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
