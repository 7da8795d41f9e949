// A build whose module carries no string table: every lookup falls back to the
// built-in default.
#include "StringTable.h"

int loadStringTableEntry(unsigned, char* buffer, int bufferSize) {
  if (bufferSize > 0) buffer[0] = '\0';
  return 0;
}
