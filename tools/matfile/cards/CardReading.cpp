#include "CardReading.h"

#include "IniCardReader.h"
#include "MaterialNames.h"
#include "TextBytes.h"
#include "YamlCardReader.h"

namespace {

// The INI form comes first with a section line; the YAML form with "---" or
// "General:". Comments may stand before either.
bool isIniForm(const std::string& bytes) {
  std::size_t at = startsWithByteOrderMark(bytes) ? kByteOrderMarkSize : 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = withoutOuterBlanks(bytes.substr(at, end - at));
    if (!line.empty() && line[0] != '#' && line[0] != ';') return line[0] == '[';
    at = end + 1;
  }
  return false;
}

}  // namespace

MaterialCard readMaterialCard(const std::string& path, const std::string& bytes) {
  MaterialCard card;
  card.path = path;
  if (isIniForm(bytes))
    readIniCard(bytes, card);
  else
    readYamlCard(bytes, card);
  return card;
}
