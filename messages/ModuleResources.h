// The module's own resources, its dialog templates and its string table: those
// of the binary that this code is linked into, found through the image base
// that the linker defines. So the module loads its own and never the host's,
// whatever program loaded it, and a test program its own. Windows only.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE moduleResources() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
