#include <gtest/gtest.h>

#include <string>

#include "MessageText.h"

namespace {

TEST(MessageTextWithTable, FoundEntryIsReturnedInTheSharedBuffer) {
  const char* fallback = "fallback";
  const char* text = loadMessageText(10, fallback);
  EXPECT_EQ(text, messageTextBuffer);
  EXPECT_STREQ(text, "The file zodo.mat not found. Create new file ?");
}

TEST(MessageTextWithTable, MissingEntryReturnsTheDefaultPointerAndKeepsBuffer) {
  loadMessageText(28, "x");
  const char* fallback = "fallback";
  for (unsigned number : {0u, 32u, 100u, 61439u}) {
    EXPECT_EQ(loadMessageText(number, fallback), fallback) << number;
  }
  EXPECT_STREQ(messageTextBuffer, "Error");
}

TEST(MessageTextWithTable, LaterFoundLookupOverwritesEarlierResult) {
  const char* first = loadMessageText(14, "d");
  std::string copy = first;
  loadMessageText(15, "d");
  EXPECT_STREQ(first, "Density");
  EXPECT_EQ(copy, "Name");
}

TEST(MessageTextWithTable, TableTextsDifferFromDefaultsWhereListed) {
  EXPECT_STREQ(messageText(MessageNumber::YoungModulusColumn), "Young Modul");
  EXPECT_STREQ(messageText(MessageNumber::PoissonRatioColumn), "Poisson Ratio");
  EXPECT_STREQ(messageText(MessageNumber::DeleteCaption), "Delete item");
  EXPECT_STREQ(messageText(MessageNumber::DeleteAllCaption), "Delete All Items");
  EXPECT_STREQ(messageText(MessageNumber::SaveFailedText), "Cannot save file.");
}

TEST(MessageTextWithTable, EveryNumberFromOneToThirtyOneHasAnEntry) {
  for (unsigned number = 1; number <= 31; ++number) {
    EXPECT_EQ(loadMessageText(number, nullptr), messageTextBuffer) << number;
  }
}

}  // namespace
