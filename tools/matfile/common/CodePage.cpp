#include "CodePage.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "TextBytes.h"

namespace {

constexpr unsigned kWindows1252[128] = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x0000, 0x017D, 0x0000,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,  // 0x98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // 0xB8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,  // 0xC0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,  // 0xC8
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,  // 0xD0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,  // 0xD8
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,  // 0xE0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,  // 0xE8
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,  // 0xF0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,  // 0xF8
};

constexpr unsigned kWindows1250[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

struct Latin1 {
  unsigned table[128];
  Latin1() {
    for (unsigned i = 0; i < 128; ++i) table[i] = 0x80 + i;
  }
};

const unsigned (&latin1())[128] {
  static const Latin1 page;
  return page.table;
}

CodePage& activePage() {
  static CodePage page;
  return page;
}

}  // namespace

CodePage::CodePage() : CodePage("windows-1252", kWindows1252) {}

CodePage::CodePage(std::string name, const unsigned (&high)[128]) : name_(std::move(name)) {
  for (int i = 0; i < 128; ++i) high_[i] = high[i];
}

bool CodePage::named(const std::string& name, CodePage& page, std::string& error) {
  std::string key = lowerAscii(name);
  if (key == "1252" || key == "cp1252" || key == "windows-1252") {
    page = CodePage("windows-1252", kWindows1252);
  } else if (key == "1250" || key == "cp1250" || key == "windows-1250") {
    page = CodePage("windows-1250", kWindows1250);
  } else if (key == "28591" || key == "iso-8859-1" || key == "latin1" || key == "iso8859-1") {
    page = CodePage("iso-8859-1", latin1());
  } else {
    error = "unknown code page \"" + name +
            "\"; one of 1252 (windows-1252), 1250 (windows-1250), "
            "28591 (iso-8859-1)";
    return false;
  }
  return true;
}

bool CodePage::forOption(const std::string* option, CodePage& page, std::string& error) {
  if (option != nullptr) return named(*option, page, error);
#ifdef _WIN32
  // The editor shows the file's bytes in the ANSI code page: any single-byte
  // one is taken from the system; a multi-byte one cannot hold this file's
  // names byte for byte, so Western European stays.
  UINT system = GetACP();
  if (named(std::to_string(system), page, error)) return true;
  CPINFO info;
  if (GetCPInfo(system, &info) && info.MaxCharSize == 1) {
    unsigned high[128];
    for (int i = 0; i < 128; ++i) {
      char byte = static_cast<char>(0x80 + i);
      wchar_t wide = 0;
      int made = MultiByteToWideChar(system, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1);
      high[i] = made == 1 ? static_cast<unsigned>(wide) : 0;
    }
    page = CodePage("windows-" + std::to_string(system), high);
    return true;
  }
#endif
  page = CodePage();
  return true;
}

const CodePage& CodePage::active() { return activePage(); }

void CodePage::setActive(const CodePage& page) { activePage() = page; }

unsigned CodePage::unicodeOf(unsigned char byte, bool* defined) const {
  unsigned code = byte < 0x80 ? byte : high_[byte - 0x80];
  if (defined != nullptr) *defined = byte < 0x80 || code != 0;
  return code != 0 || byte == 0 ? code : byte;
}

std::string CodePage::toUtf8(const std::string& bytes) const {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) appendUtf8(text, unicodeOf(static_cast<unsigned char>(c)));
  return text;
}

bool CodePage::fromUtf8(const std::string& utf8, std::string& bytes,
                        std::vector<std::string>& missing, bool replace) const {
  bytes.clear();
  bool whole = true;
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t start = at;
    unsigned code = 0;
    bool valid = nextUtf8(utf8, at, code);
    int byte = -1;
    if (valid && code < 0x80) byte = static_cast<int>(code);
    for (int i = 0; valid && byte < 0 && i < 128; ++i) {
      if (high_[i] == code || (high_[i] == 0 && code == 0x80u + i)) byte = 0x80 + i;
    }
    if (byte >= 0) {
      bytes += static_cast<char>(byte);
      continue;
    }
    whole = false;
    missing.push_back(utf8.substr(start, at - start));
    if (replace) bytes += '?';
  }
  return whole;
}

void appendUtf8(std::string& text, unsigned code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool nextUtf8(const std::string& text, std::size_t& at, unsigned& code) {
  unsigned char lead = static_cast<unsigned char>(text[at++]);
  int more = 0;
  unsigned least = 0;
  if (lead < 0x80) {
    code = lead;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    code = lead & 0x1F, more = 1, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    code = lead & 0x0F, more = 2, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    code = lead & 0x07, more = 3, least = 0x10000;
  } else {
    return false;
  }
  std::size_t start = at;
  for (int i = 0; i < more; ++i) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
      at = start;
      return false;
    }
    code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < least || code > 0x10FFFF || surrogate) {
    at = start;
    return false;
  }
  return true;
}
