// The one text encoding rule of matfile: a material file holds its names in one
// single-byte Windows code page (1252 unless --codepage names another; on
// Windows the system's ANSI code page). Material cards, MatML and charts are
// UTF-8, so every importer converts names into the code page and every exporter
// and the chart out of it, and a round trip keeps each letter.
#pragma once

#include <string>
#include <vector>

class CodePage {
 public:
  // Windows-1252, the default where the system says nothing else.
  CodePage();

  // "1252", "windows-1252", "cp1252", "1250", "windows-1250", "iso-8859-1",
  // "latin1", "28591", in any letter case. False with `error` listing the names.
  static bool named(const std::string& name, CodePage& page, std::string& error);

  // The code page of --codepage, or without it the default of this system.
  static bool forOption(const std::string* option, CodePage& page, std::string& error);

  // The code page that the chart shows names in, for this run.
  static const CodePage& active();
  static void setActive(const CodePage& page);

  const std::string& name() const { return name_; }

  // The character of a byte. A byte the code page leaves undefined maps to
  // the C1 control of its value, as Windows converts it, so it survives a
  // round trip; `defined` tells it apart.
  unsigned unicodeOf(unsigned char byte, bool* defined = nullptr) const;

  // The bytes as UTF-8.
  std::string toUtf8(const std::string& bytes) const;

  // A UTF-8 name in the code page. Characters the code page lacks (and bytes
  // that are no UTF-8) are collected in `missing` as they were written;
  // with `replace` each becomes "?", otherwise the result is not to be used.
  bool fromUtf8(const std::string& utf8, std::string& bytes, std::vector<std::string>& missing,
                bool replace) const;

 private:
  CodePage(std::string name, const unsigned (&high)[128]);

  std::string name_;
  unsigned high_[128];  // bytes 0x80 to 0xFF; 0 where undefined
};

// A code point as UTF-8.
void appendUtf8(std::string& text, unsigned code);

// The next code point of UTF-8 text at `at`, advancing `at`; false on a byte
// that starts no valid sequence (then `at` moves past that byte).
bool nextUtf8(const std::string& text, std::size_t& at, unsigned& code);
