#include "MessageTextCopy.h"

#include <cstring>

MessageTextCopy::MessageTextCopy(MessageNumber number) : MessageTextCopy(messageText(number)) {}

MessageTextCopy::MessageTextCopy(const char* text) {
  std::size_t length = text != nullptr ? std::strlen(text) : 0;
  if (length >= sizeof text_) length = sizeof text_ - 1;
  std::memcpy(text_, text != nullptr ? text : "", length);
  text_[length] = '\0';
}
