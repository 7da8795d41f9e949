# Cross build of the 32-bit Windows module, its stand-in host and the Windows
# tests with MinGW-w64 (win32 thread model). CTest runs the test programs
# under Wine through the emulator setting.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PRALVIK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
