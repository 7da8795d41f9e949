// The string table of builds without Windows resources: the same entries that
// the resource compiler puts into the module.
#include <cstring>

#include "StringTable.h"

namespace {

struct StoredEntry {
  unsigned number;
  const char* text;
};

constexpr StoredEntry kStoredTable[] = {
#define MESSAGE_TEXT(number, symbol, tableText, defaultText) {number, tableText},
#include "MessageTexts.inc"
#undef MESSAGE_TEXT
};

}  // namespace

int loadStringTableEntry(unsigned number, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return 0;
  for (const StoredEntry& entry : kStoredTable) {
    if (entry.number != number) continue;
    std::size_t length = std::strlen(entry.text);
    std::size_t room = static_cast<std::size_t>(bufferSize) - 1;
    if (length > room) length = room;
    std::memcpy(buffer, entry.text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
  }
  return 0;
}
