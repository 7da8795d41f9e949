// Reads an XML document with expat, a chunk at a time, and tells a handler of
// its elements as they stream: no document and no tree is kept, so memory
// stays flat however large the document. Nothing is expanded beyond the
// document: a DOCTYPE that declares an entity (the way to make a small file
// expand to gigabytes) and any external entity are refused, and nesting is
// bounded, each with a message that says so.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "XmlHandler.h"

// Puts up to `capacity` bytes of the document at `into` and says how many;
// 0 at its end.
using XmlChunks = std::function<std::size_t(char* into, std::size_t capacity)>;

struct XmlReadResult {
  bool readable = false;
  std::string problem;
  long problemLine = 1;
};

constexpr int kXmlDepthLimit = 200;

// False where the build has no XML library (the message then says so).
extern const bool kReadsXml;

class XmlReader {
 public:
  explicit XmlReader(XmlHandler& handler);
  ~XmlReader();
  XmlReader(const XmlReader&) = delete;
  XmlReader& operator=(const XmlReader&) = delete;

  XmlReadResult read(const XmlChunks& chunks);
  // The line of the element the handler is told of, from 1.
  long line() const;

 private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
};

// The chunks of a document in memory, which must outlive them.
inline XmlChunks xmlChunksOf(const std::string& bytes) {
  std::size_t at = 0;
  return [&bytes, at](char* into, std::size_t capacity) mutable {
    std::size_t count = bytes.copy(into, capacity, at);
    at += count;
    return count;
  };
}
