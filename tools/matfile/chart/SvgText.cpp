#include "SvgText.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "CodePage.h"

namespace {

constexpr unsigned kReplacement = 0xFFFD;
constexpr unsigned kControlPictures = 0x2400;
constexpr unsigned kDeletePicture = 0x2421;

unsigned unicodeOf(unsigned char byte) {
  if (byte == '\t') return byte;
  if (byte < 0x20) return kControlPictures + byte;
  if (byte == 0x7F) return kDeletePicture;
  bool defined = true;
  unsigned code = CodePage::active().unicodeOf(byte, &defined);
  return defined && (code < 0x80 || code >= 0xA0) ? code : kReplacement;
}

const char* entityOf(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

// Advance widths in em, a little above those of the widest common sans-serif
// faces (DejaVu Sans, Verdana), by the shape of the character.
constexpr unsigned char kPerMille = 0x89;  // the widest character of code page 1252

double widthInEm(unsigned char c) {
  if (c == kPerMille) return 1.45;
  if (c >= 0x80) return 1.0;  // letters with accents, ligatures and symbols up to (c) and AE
  if (c < 0x20 || c == 0x7F) return 1.0;  // drawn as a control picture
  if (std::strchr(" .,:;'|ijlI", c) != nullptr) return 0.34;
  if (std::strchr("frt()[]{}-/\\!", c) != nullptr) return 0.45;
  if (std::strchr("&+=<>~#^", c) != nullptr) return 0.86;
  if (std::strchr("mwMW@%", c) != nullptr) return 1.08;
  if (c >= 'A' && c <= 'Z') return 0.8;
  return 0.66;
}

// The longest start of `text` that fits `width`, at least one byte.
std::size_t fittingLength(const std::string& text, double width, double fontSize) {
  std::size_t length = 1;
  double used = textWidth(text.substr(0, 1), fontSize);
  while (length < text.size()) {
    used += textWidth(text.substr(length, 1), fontSize);
    if (used > width) break;
    ++length;
  }
  return length;
}

}  // namespace

std::string xmlText(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    if (const char* entity = entityOf(c)) {
      text += entity;
    } else {
      appendUtf8(text, unicodeOf(static_cast<unsigned char>(c)));
    }
  }
  return text;
}

double textWidth(const std::string& bytes, double fontSize) {
  double em = 0;
  for (char c : bytes) em += widthInEm(static_cast<unsigned char>(c));
  return em * fontSize;
}

std::string svgNumber(double value) {
  double tenths = std::round(value * 10) / 10;
  if (tenths == 0) tenths = 0;  // no "-0"
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, tenths, std::chars_format::fixed, 1);
  std::string number(text, result.ptr);
  if (number.size() > 2 && number.compare(number.size() - 2, 2, ".0") == 0)
    number.resize(number.size() - 2);
  return number;
}

std::vector<std::string> wrappedText(const std::string& text, double width, double fontSize) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t blank = text.find(' ', start);
    if (blank == std::string::npos) blank = text.size();
    std::string word = text.substr(start, blank - start);
    start = blank + 1;
    std::string longer = line.empty() ? word : line + ' ' + word;
    if (textWidth(longer, fontSize) <= width) {
      line = longer;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line = word;
    while (textWidth(line, fontSize) > width) {
      std::size_t length = fittingLength(line, width, fontSize);
      lines.push_back(line.substr(0, length));
      line.erase(0, length);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}
