// The lookup against the shipped table, every entry taken from the one list
// of messages, so that a message added there is checked without a word here.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "MessageText.h"

namespace {

struct Entry {
  unsigned number;
  MessageNumber symbol;
  const char* tableText;
  const char* defaultText;
};

const std::vector<Entry> kEntries = {
#define MESSAGE_TEXT(number, symbol, tableText, defaultText) \
  {number, MessageNumber::symbol, tableText, defaultText},
#include "MessageTexts.inc"
#undef MESSAGE_TEXT
};

// A number that no message has: one past the highest.
unsigned unusedNumber() {
  unsigned highest = 0;
  for (const Entry& entry : kEntries) highest = entry.number > highest ? entry.number : highest;
  return highest + 1;
}

TEST(MessageTextWithTable, FoundEntryIsReturnedInTheSharedBuffer) {
  const Entry& entry = kEntries.front();
  const char* text = loadMessageText(entry.number, "fallback");
  EXPECT_EQ(text, messageTextBuffer);
  EXPECT_STREQ(text, entry.tableText);
}

TEST(MessageTextWithTable, MissingEntryReturnsTheDefaultPointerAndKeepsBuffer) {
  const Entry& last = kEntries.back();
  loadMessageText(last.number, "x");
  const char* fallback = "fallback";
  for (unsigned number : {0u, unusedNumber(), 100u, 61439u}) {
    EXPECT_EQ(loadMessageText(number, fallback), fallback) << number;
  }
  EXPECT_STREQ(messageTextBuffer, last.tableText);
}

TEST(MessageTextWithTable, LaterFoundLookupOverwritesEarlierResult) {
  const Entry& first = kEntries[0];
  const Entry& second = kEntries[2];
  ASSERT_STRNE(first.tableText, second.tableText);
  const char* text = loadMessageText(first.number, "d");
  std::string copy = text;
  loadMessageText(second.number, "d");
  EXPECT_STREQ(text, second.tableText);
  EXPECT_EQ(copy, first.tableText);
}

// The shipped table (the resource on Windows, the stored one elsewhere) holds
// every message of the list under its number, whole; the defaults stay the
// code's own.
TEST(MessageTextWithTable, EveryMessageHasItsTableTextAndItsDefault) {
  for (const Entry& entry : kEntries) {
    EXPECT_STREQ(loadMessageText(entry.number, nullptr), entry.tableText) << entry.number;
    EXPECT_STREQ(messageText(entry.symbol), entry.tableText) << entry.number;
    EXPECT_STREQ(builtInMessageText(entry.symbol), entry.defaultText) << entry.number;
  }
}

// Each number once; every text non-empty (an empty entry counts as missing),
// short enough not to be cut, and free of "%", so that no text can turn into
// a format where one is passed on.
TEST(MessageTextList, NumbersAreUniqueAndTextsAreWholeAndPlain) {
  std::set<unsigned> numbers;
  for (const Entry& entry : kEntries) {
    EXPECT_TRUE(numbers.insert(entry.number).second) << entry.number << " twice";
    EXPECT_NE(entry.number, 0u);
    for (const char* text : {entry.tableText, entry.defaultText}) {
      EXPECT_GT(std::strlen(text), 0u) << entry.number;
      EXPECT_LT(std::strlen(text), kMessageTextBufferSize) << entry.number;
      EXPECT_EQ(std::strchr(text, '%'), nullptr) << entry.number << ": " << text;
    }
  }
}

}  // namespace
