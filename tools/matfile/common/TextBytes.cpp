#include "TextBytes.h"

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowerAscii(const std::string& text) {
  std::string lower;
  for (char c : text) lower += lowerAscii(c);
  return lower;
}

bool startsWithByteOrderMark(const std::string& text) {
  return text.compare(0, kByteOrderMarkSize, kByteOrderMark) == 0;
}
