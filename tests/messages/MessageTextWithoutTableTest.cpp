#include <gtest/gtest.h>

#include "Material.h"
#include "MessageText.h"

namespace {

TEST(MessageTextWithoutTable, EveryLookupGivesItsDefault) {
  EXPECT_STREQ(messageText(MessageNumber::YoungModulusColumn), "Yound Modul");
  EXPECT_STREQ(messageText(MessageNumber::PoissonRatioColumn), "Poisson ratio");
  EXPECT_STREQ(messageText(MessageNumber::DeleteCaption), "Delete Item");
  EXPECT_STREQ(messageText(MessageNumber::DeleteAllCaption), "Delete Item");
  EXPECT_STREQ(messageText(MessageNumber::SaveFailedText), "Cannot save file");
  const char* fallback = "fallback";
  EXPECT_EQ(loadMessageText(10, fallback), fallback);
  EXPECT_EQ(messageTextBuffer[0], '\0');
}

TEST(MessageTextWithoutTable, SetterMessagesUseTheBuiltInTexts) {
  Material record;
  record.makeEmpty();
  record.setDensity(0);
  EXPECT_STREQ(record.errorText, "Density must be > 0");
  record.freeStrings();
}

}  // namespace
