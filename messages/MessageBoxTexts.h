// The caption and the text of a message box, which the box needs at once. A
// lookup's text lasts only until the next lookup, so both are held as copies,
// the caption taken before the text is looked up.
#pragma once

#include "MessageTextCopy.h"

class MessageBoxTexts {
 public:
  // In the order of the box's own arguments: text, then caption.
  MessageBoxTexts(MessageNumber text, MessageNumber caption);

  const char* text() const { return text_.text(); }
  const char* caption() const { return caption_.text(); }

 private:
  MessageTextCopy caption_;  // declared first: copied first
  MessageTextCopy text_;
};
