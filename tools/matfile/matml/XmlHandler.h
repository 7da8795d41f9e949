// What an XmlReader tells as it reads: each element as it starts and ends, and
// the character data between. Text is UTF-8, whatever the document's own
// encoding; nothing of the document is kept beyond the call.
#pragma once

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;

  // `name` is without a namespace prefix ("Material" for "m:Material");
  // `attributes` are key and value in turn, ending with a null.
  virtual void start(const char* name, const char** attributes) = 0;
  virtual void end() = 0;
  virtual void text(const char* text, int length) = 0;
};
