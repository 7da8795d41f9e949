#include "IniCardReader.h"

#include "MaterialCard.h"
#include "MaterialNames.h"
#include "TextBytes.h"

namespace {

// A line that is no section, comment or "Key = value" is ignored, but said.
void readLine(const std::string& line, long number, MaterialCard& card, bool& named) {
  if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[') return;
  std::size_t equals = line.find('=');
  if (equals == std::string::npos) {
    card.notes.push_back({number, "note: line ignored: neither a section, a comment nor Key = value"});
    return;
  }
  std::string key = withoutOuterBlanks(line.substr(0, equals));
  std::string value = withoutOuterBlanks(line.substr(equals + 1));
  if (key == "Name" && !named) {
    card.name = value;
    card.nameLine = number;
    named = true;
  }
  card.give(key, value, number);
}

}  // namespace

void readIniCard(const std::string& bytes, MaterialCard& card) {
  std::size_t at = startsWithByteOrderMark(bytes) ? kByteOrderMarkSize : 0;
  bool named = false;
  for (long number = 1; at <= bytes.size(); ++number) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    readLine(withoutOuterBlanks(bytes.substr(at, end - at)), number, card, named);
    at = end + 1;
  }
  card.readable = true;
  if (!named) card.nameAfterFile();
}
