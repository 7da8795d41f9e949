#include <gtest/gtest.h>

#include <string>

#include "MessageBoxTexts.h"
#include "MessageTextCopy.h"

namespace {

// A box looks up its caption, then its text, and shows both at once.
TEST(MessageTextCopy, KeepsItsTextThroughLaterLookups) {
  MessageTextCopy caption(MessageNumber::ErrorCaption);
  messageText(MessageNumber::SaveFailedText);
  EXPECT_STREQ(caption.text(), "Error");
}

TEST(MessageTextCopy, CutsALongTextToTheBufferAndCopiesAnAbsentOneAsEmpty) {
  std::string longText(kMessageTextBufferSize + 10, 'x');
  EXPECT_EQ(MessageTextCopy(longText.c_str()).text(), longText.substr(0, kMessageTextBufferSize - 1));
  EXPECT_STREQ(MessageTextCopy(nullptr).text(), "");
}

TEST(MessageBoxTexts, HoldsTheCaptionAndTheTextAtOnce) {
  MessageBoxTexts box(MessageNumber::SaveFailedText, MessageNumber::ErrorCaption);
  EXPECT_STREQ(box.caption(), "Error");
  EXPECT_STREQ(box.text(), "Cannot save file.");
}

}  // namespace
