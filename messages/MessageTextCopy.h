// A message text kept aside. A lookup's text lasts only until the next lookup
// (it lives in messageTextBuffer), so whatever needs a text past that holds a
// copy: a dialog's title, or the caption and text that a box needs at once
// (MessageBoxTexts).
#pragma once

#include "MessageText.h"

class MessageTextCopy {
 public:
  // Looks the message up and copies its text.
  explicit MessageTextCopy(MessageNumber number);
  // Copies `text`, cut to kMessageTextBufferSize - 1 characters; an absent
  // text copies as "".
  explicit MessageTextCopy(const char* text);

  const char* text() const { return text_; }

 private:
  char text_[kMessageTextBufferSize];
};
