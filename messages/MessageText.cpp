#include "MessageText.h"

#include <cstring>

#include "StringTable.h"

char messageTextBuffer[kMessageTextBufferSize];

const char* loadMessageText(unsigned number, const char* defaultText) {
  // Loaded aside first: an empty or missing entry must leave the buffer as the
  // previous lookup left it.
  char loaded[kMessageTextBufferSize];
  int length = loadStringTableEntry(number, loaded, static_cast<int>(sizeof loaded));
  if (length <= 0) return defaultText;
  std::memcpy(messageTextBuffer, loaded, static_cast<std::size_t>(length));
  messageTextBuffer[length] = '\0';
  return messageTextBuffer;
}

const char* builtInMessageText(MessageNumber number) {
  switch (number) {
#define MESSAGE_TEXT(number, symbol, tableText, defaultText) \
  case MessageNumber::symbol:                                \
    return defaultText;
#include "MessageTexts.inc"
#undef MESSAGE_TEXT
  }
  return "";
}

const char* messageText(MessageNumber number) {
  return loadMessageText(static_cast<unsigned>(number), builtInMessageText(number));
}
