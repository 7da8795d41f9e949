// The module's own string table resource. The image base is that of the binary
// this code is linked into, so a test program finds its own table and the
// module finds the module's, never the host's.
#include <windows.h>

#include "StringTable.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

int loadStringTableEntry(unsigned number, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return 0;
  buffer[0] = '\0';
  HINSTANCE module = reinterpret_cast<HINSTANCE>(&__ImageBase);
  int length = LoadStringA(module, number, buffer, bufferSize);
  return length > 0 ? length : 0;
}
