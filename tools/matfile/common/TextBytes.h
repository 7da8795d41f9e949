// The bytes of the texts that matfile reads (tables, cards, unit texts, its own
// arguments) come in UTF-8 or a Windows code page whatever the locale, so
// digits and letter case are told in ASCII only.
#pragma once

#include <cstddef>
#include <string>

bool isAsciiDigit(char c);
char lowerAscii(char c);
std::string lowerAscii(const std::string& text);

// The UTF-8 byte order mark that some editors and spreadsheets put at the start
// of a text: the readers skip it, and the CSV writer keeps a first field that
// starts with one from being skipped.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkSize = sizeof kByteOrderMark - 1;

bool startsWithByteOrderMark(const std::string& text);
