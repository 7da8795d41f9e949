// Reads an XML document into elements with expat. Nothing is expanded beyond
// the document: a DOCTYPE that declares an entity (the way to make a small file
// expand to gigabytes) and any external entity are refused, and nesting is
// bounded, each with a message that says so. Time and memory stay
// proportional to the document's size.
#pragma once

#include <memory>
#include <string>

#include "XmlElement.h"

struct XmlReadResult {
  std::unique_ptr<XmlElement> root;  // null when the document cannot be read
  std::string problem;
  long problemLine = 1;
};

constexpr int kXmlDepthLimit = 200;

// False where the build has no XML library (the message then says so).
extern const bool kReadsXml;

XmlReadResult readXml(const std::string& bytes);
