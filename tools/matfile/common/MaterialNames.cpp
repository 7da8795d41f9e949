#include "MaterialNames.h"

#include "MaterialFile.h"
#include "NumberText.h"

std::string writtenName(const Material& material) {
  return material.name != nullptr ? material.name : kAbsentNameText;
}

std::string quoted(const std::string& text) { return '"' + text + '"'; }

std::string quotedName(const Material& material) {
  return material.name != nullptr ? quoted(material.name) : kAbsentNameText;
}

std::string withoutOuterBlanks(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isNumberSpace(text[begin])) ++begin;
  while (end > begin && isNumberSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}
