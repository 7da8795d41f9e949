#include "XmlElement.h"

const std::string* XmlElement::attribute(const std::string& key) const {
  for (const auto& [attributeName, value] : attributes) {
    if (attributeName == key) return &value;
  }
  return nullptr;
}

const XmlElement* XmlElement::child(const std::string& childName) const {
  for (const auto& element : children) {
    if (element->name == childName) return element.get();
  }
  return nullptr;
}
