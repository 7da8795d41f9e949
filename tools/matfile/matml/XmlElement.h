// An XML document as a tree of elements: what the MatML reader looks at. Text
// is UTF-8, whatever the document's own encoding.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct XmlElement {
  std::string name;  // without a namespace prefix: "Material" for "m:Material"
  std::vector<std::pair<std::string, std::string>> attributes;
  std::string text;  // the character data directly inside, in document order
  long line = 0;
  std::vector<std::unique_ptr<XmlElement>> children;

  // The attribute's value, or null.
  const std::string* attribute(const std::string& key) const;
  // The first child of that name, or null.
  const XmlElement* child(const std::string& childName) const;
};
