// The CSV reader and writer on their own: RFC 4180 both ways, and what
// spreadsheets write besides.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "CsvWriter.h"

namespace {

using Fields = std::vector<std::string>;
using Records = std::vector<Fields>;

Records readAll(const std::string& text) {
  CsvReader reader(text);
  Records records;
  while (reader.next() == CsvReader::Result::Record) records.push_back(reader.fields());
  return records;
}

// The error of the first malformed record, with its row.
std::string failureOf(const std::string& text) {
  CsvReader reader(text);
  for (;;) {
    switch (reader.next()) {
      case CsvReader::Result::Record:
        continue;
      case CsvReader::Result::End:
        return "";
      case CsvReader::Result::Malformed:
        return std::to_string(reader.row()) + ": " + reader.error();
    }
  }
}

std::string written(const Records& records) {
  CsvWriter writer;
  for (const Fields& record : records) {
    for (const std::string& field : record) writer.addField(field);
    writer.endRecord();
  }
  return writer.text();
}

TEST(CsvRead, FieldsSplitAtCommasRecordsAtAnyLineEnd) {
  EXPECT_EQ(readAll("a,b\r\nc,d\ne,f\rg,h"),
            (Records{{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}}));
}

TEST(CsvRead, LineEndAfterTheLastRecordAddsNoRecordButAnEmptyLineDoes) {
  EXPECT_EQ(readAll("a\r\n"), (Records{{"a"}}));
  EXPECT_EQ(readAll("a\n\n"), (Records{{"a"}, {""}}));
  EXPECT_EQ(readAll(""), Records{});
}

TEST(CsvRead, EmptyFieldsAnywhere) {
  EXPECT_EQ(readAll(",a,,\r\n,\r\n"), (Records{{"", "a", "", ""}, {"", ""}}));
  EXPECT_EQ(readAll("a,"), (Records{{"a", ""}}));
}

TEST(CsvRead, QuotedFieldsHoldCommasLineEndsAndDoubledQuotes) {
  EXPECT_EQ(readAll("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"\"\r\nnext\r\n"),
            (Records{{"a,b", "say \"hi\"", "two\r\nlines", ""}, {"next"}}));
}

TEST(CsvRead, BlanksAndBytesOfAnyValueAreKept) {
  EXPECT_EQ(readAll(" a , \"b\" x\r\n"), (Records{{" a ", " \"b\" x"}}));
  EXPECT_EQ(readAll(std::string("\xE9t\xE9,\"\0\",%s", 10)),
            (Records{{"\xE9t\xE9", std::string(1, '\0'), "%s"}}));
}

TEST(CsvRead, QuoteInsideAnUnquotedFieldIsTakenAsItStands) {
  EXPECT_EQ(readAll("12\" pipe,b\r\n"), (Records{{"12\" pipe", "b"}}));
}

TEST(CsvRead, ByteOrderMarkBeforeTheFirstRecordIsSkippedAndNoted) {
  CsvReader reader("\xEF\xBB\xBFname,x\r\n");
  ASSERT_EQ(reader.next(), CsvReader::Result::Record);
  EXPECT_EQ(reader.fields(), (Fields{"name", "x"}));
  EXPECT_TRUE(reader.hadByteOrderMark());
  EXPECT_FALSE(CsvReader("name").hadByteOrderMark());
  EXPECT_EQ(readAll("a,\xEF\xBB\xBF"), (Records{{"a", "\xEF\xBB\xBF"}}));
}

TEST(CsvRead, RowsCountRecordsNotLines) {
  CsvReader reader("h\r\n\"one\r\ntwo\r\nthree\"\r\nnext\r\n");
  std::vector<long> rows;
  while (reader.next() == CsvReader::Result::Record) rows.push_back(reader.row());
  EXPECT_EQ(rows, (std::vector<long>{1, 2, 3}));
}

TEST(CsvRead, UnclosedQuoteAndTextAfterTheClosingQuoteAreMalformedAtTheirRow) {
  EXPECT_EQ(failureOf("a\r\nb\r\n\"open,\r\nc\r\n"),
            "3: a quoted field is not closed before the end of the file");
  EXPECT_EQ(failureOf("a\r\n\"b\"c,d\r\n"),
            "2: text after the closing quote of a field (a quote inside a quoted field is "
            "written twice)");
  EXPECT_EQ(failureOf("\"a\",\"b\"\r\n"), "");
}

TEST(CsvRead, NothingFollowsAMalformedRecord) {
  CsvReader reader("\"a\"b\r\nc\r\n");
  EXPECT_EQ(reader.next(), CsvReader::Result::Malformed);
  EXPECT_EQ(reader.next(), CsvReader::Result::Malformed);
}

TEST(CsvWrite, PlainFieldsStayBareRecordsEndInCrLf) {
  EXPECT_EQ(written({{"name", "density [g/cm^3]"}, {"Steel", "7.85"}, {""}}),
            "name,density [g/cm^3]\r\nSteel,7.85\r\n\r\n");
}

TEST(CsvWrite, FieldsThatWouldChangeAreQuotedWithTheirQuotesDoubled) {
  EXPECT_EQ(written({{"a,b", "say \"hi\"", "cr\r", "lf\n", " lead", "trail\t", "mid dle"}}),
            "\"a,b\",\"say \"\"hi\"\"\",\"cr\r\",\"lf\n\",\" lead\",\"trail\t\",mid dle\r\n");
  EXPECT_EQ(written({{"\xEF\xBB\xBFx", "\xEF\xBB\xBFy"}}), "\"\xEF\xBB\xBFx\",\xEF\xBB\xBFy\r\n");
}

// Only the field that starts the whole text is quoted for a byte order mark,
// however the text leaves the writer.
TEST(CsvWrite, RecordsPassedOnAsTheyEndMakeTheSameText) {
  Records records = {{"\xEF\xBB\xBFx", "y"}, {"\xEF\xBB\xBFz", "a,b"}};
  std::ostringstream out;
  CsvWriter streamed(out);
  for (const Fields& record : records) {
    for (const std::string& field : record) streamed.addField(field);
    streamed.endRecord();
  }
  EXPECT_EQ(out.str(), written(records));
  EXPECT_EQ(streamed.text(), "");
}

// Whatever the fields hold, the reader gives back what the writer was given.
TEST(CsvRoundTrip, WrittenRecordsReadBackExactly) {
  std::mt19937 random(4180);
  const std::string alphabet = std::string("ab ,\"\r\n\t;%\xE9\xFF") + std::string(1, '\0');
  for (int trial = 0; trial < 2000; ++trial) {
    Records records(1 + random() % 4);
    for (Fields& record : records) {
      record.resize(1 + random() % 5);
      for (std::string& field : record) {
        field.resize(random() % 6);
        for (char& c : field) c = alphabet[random() % alphabet.size()];
      }
      // A record of one empty field is an empty line, which is a blank row.
      if (record.size() == 1 && record[0].empty()) record[0] = "x";
    }
    ASSERT_EQ(readAll(written(records)), records) << written(records);
  }
}

}  // namespace
