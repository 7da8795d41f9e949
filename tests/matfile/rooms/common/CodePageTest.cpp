// The pieces under export and the code page rule: the converter both ways, the
// name-based UUID, the card file names and the shifted numbers.
#include <gtest/gtest.h>

#include "CardFileNames.h"
#include "CodePage.h"
#include "NameUuid.h"
#include "ScaledNumber.h"

namespace {

TEST(CodePage, EveryByteOfEachCodePageSurvivesUtf8AndBack) {
  for (const char* name : {"1252", "windows-1250", "ISO-8859-1"}) {
    CodePage page;
    std::string error;
    ASSERT_TRUE(CodePage::named(name, page, error)) << error;
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
    std::string back;
    std::vector<std::string> missing;
    EXPECT_TRUE(page.fromUtf8(page.toUtf8(bytes), back, missing, false)) << name;
    EXPECT_EQ(back, bytes) << name;
  }
}

TEST(CodePage, CharactersItLacksAndBrokenUtf8AreNamedOrReplaced) {
  CodePage page;
  std::string bytes;
  std::vector<std::string> missing;
  EXPECT_FALSE(page.fromUtf8("a\xCE\xB1 \xE2\x82\xAC \xFF z", bytes, missing, true));
  EXPECT_EQ(missing, (std::vector<std::string>{"\xCE\xB1", "\xFF"}));
  EXPECT_EQ(bytes, "a? \x80 ? z");
  missing.clear();
  EXPECT_FALSE(page.fromUtf8("\xE2\x82", bytes, missing, false)) << "a sequence cut short";
  EXPECT_FALSE(page.fromUtf8("\xC0\xAF", bytes, missing, false)) << "an overlong form";
}

TEST(NameUuid, IsVersionFiveOfTheNameAndStable) {
  EXPECT_EQ(nameUuid("6ba7b810-9dad-11d1-80b4-00c04fd430c8", "www.example.com"),
            "2ed6657d-e927-568b-95e1-2665a8aea6a2");
  EXPECT_EQ(nameUuid("Steel"), nameUuid("Steel"));
  EXPECT_NE(nameUuid("Steel"), nameUuid("steel"));
  EXPECT_EQ(nameUuid("Steel")[14], '5');
}

TEST(CardFileNames, AreNumberedCleanedAndCutAtACharacterBoundary) {
  CardFileNames names(12000);
  EXPECT_EQ(names.next("NUL"), "00001 NUL.FCMat");
  EXPECT_EQ(names.next("a<b>c:d\"e/f\\g|h?i*j\x01"), "00002 a_b_c_d_e_f_g_h_i_j_.FCMat");
  EXPECT_EQ(names.next("ends in dots. . ."), "00003 ends in dots.FCMat");
  EXPECT_EQ(names.next("..."), "00004.FCMat");
  std::string long_name = std::string(119, 'x') + "\xC3\xB6\xC3\xB6";
  EXPECT_EQ(names.next(long_name), "00005 " + std::string(119, 'x') + ".FCMat");
}

TEST(ScaledNumber, ShiftsDigitsExactly) {
  EXPECT_EQ(scaledNumber(7.85, 3), "7850");
  EXPECT_EQ(scaledNumber(2.36, -5), "0.0000236");
  EXPECT_EQ(scaledNumber(1.23457e8, 3), "123457000000");
  EXPECT_EQ(scaledNumber(-1.5e-300, 6), "-1.5e-294");
  EXPECT_EQ(scaledNumber(0.1 + 0.2, 0), "0.30000000000000004");
  EXPECT_FALSE(scalesSafely(1.79769e308, 3));
  EXPECT_TRUE(scalesSafely(1.79769e308, 0));
}

}  // namespace
