#include "CardFileNames.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kStemBytes = 120;
constexpr std::size_t kLeastWidth = 4;

// Cut at a character boundary, never inside a UTF-8 sequence.
std::string cutToBytes(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// Windows drops a dot or blank at the end of a name; blanks at its start
// are hard to see and type.
std::string withoutEndDotsAndBlanks(std::string text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? "" : text.substr(start);
}

}  // namespace

CardFileNames::CardFileNames(std::size_t count)
    : width_(std::max(kLeastWidth, std::to_string(count).size())) {}

std::string CardFileNames::next(const std::string& utf8Name) {
  std::string stem;
  for (char c : utf8Name) {
    unsigned char byte = static_cast<unsigned char>(c);
    stem += (byte < 0x20 || byte == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr) ? '_' : c;
  }
  stem = withoutEndDotsAndBlanks(cutToBytes(stem, kStemBytes));
  std::string number = std::to_string(++written_);
  number.insert(0, width_ > number.size() ? width_ - number.size() : 0, '0');
  return number + (stem.empty() ? "" : " " + stem) + ".FCMat";
}
