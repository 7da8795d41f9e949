// The module's own string table resource.
#include <windows.h>

#include "ModuleResources.h"
#include "StringTable.h"

int loadStringTableEntry(unsigned number, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return 0;
  buffer[0] = '\0';
  int length = LoadStringA(moduleResources(), number, buffer, bufferSize);
  return length > 0 ? length : 0;
}
