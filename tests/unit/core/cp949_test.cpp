#include "core/cp949.h"

#include <gtest/gtest.h>

#include "tests/support/named_rows.h"

#include "core/utf.h"

namespace borvanta {
namespace {

struct Cp949Case {
  const char* name;
  std::string utf8;
  std::string expected;  // code page 949 bytes
  bool lossy;
};

class Utf8ToCp949 : public testing::TestWithParam<Cp949Case> {};

TEST_P(Utf8ToCp949, ConvertsAndReportsLoss) {
  const Cp949Case& c = GetParam();
  const Cp949Text result = utf8ToCp949(c.utf8);
  EXPECT_EQ(result.text, c.expected);
  EXPECT_EQ(result.lossy, c.lossy);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8ToCp949,
    testing::Values(Cp949Case{"Empty", "", "", false},
                    Cp949Case{"Ascii", "010-1234", "010-1234", false},
                    // 김 is B1E8, 철 C3B6, 수 BCF6 in KS X 1001.
                    Cp949Case{"Hangul", "김철수", "\xB1\xE8\xC3\xB6\xBC\xF6", false},
                    // 똠 is one of the syllables only the extended code page holds (8C63).
                    Cp949Case{"ExtendedSyllable", "똠", "\x8C\x63", false},
                    Cp949Case{"EmojiBecomesQuestionMark", "김😀", "\xB1\xE8?", true},
                    Cp949Case{"StopsAtNul", std::string("ab\0cd", 5), "ab", false},
                    Cp949Case{"InvalidUtf8",
                              "a\xFF"
                              "b",
                              "a?b", true},
                    Cp949Case{"TruncatedSequence", "a\xEA\xB9", "a?", true}),
    testing_support::RowName());

TEST(Cp949, EveryDoubleByteCharacterRoundTrips) {
  // Every valid two-byte code of the code page converts to Unicode and back
  // unchanged; invalid codes become U+FFFD.
  int valid = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x41; trail <= 0xFE; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = cp949ToUtf8(bytes);
      if (utf8.find("\xEF\xBF\xBD") != std::string::npos) continue;
      ++valid;
      const Cp949Text back = utf8ToCp949(utf8);
      ASSERT_FALSE(back.lossy) << lead << "," << trail;
      ASSERT_EQ(back.text, bytes) << lead << "," << trail;
    }
  }
  // All 11172 Hangul syllables, 4888 hanja and 988 other characters.
  EXPECT_EQ(valid, 17048);
}

TEST(Cp949, InvalidBytesBecomeReplacementCharacter) {
  EXPECT_EQ(cp949ToUtf8("a\xFF"), "a\xEF\xBF\xBD");
  EXPECT_EQ(cp949ToUtf8("\xB1"), "\xEF\xBF\xBD");  // a lead byte alone at the end
}

TEST(Cp949, Utf16BoundaryStopsAtNulAndFlagsLoneSurrogates) {
  EXPECT_EQ(utf16ToCp949(std::u16string(u"김\0x", 3)).text, "\xB1\xE8");
  const Cp949Text lone = utf16ToCp949(std::u16string(1, char16_t{0xD800}));
  EXPECT_TRUE(lone.lossy);
  EXPECT_EQ(lone.text, "?");
  EXPECT_EQ(cp949ToUtf16("\xB1\xE8\xC3\xB6"), u"김철");
}

TEST(Cp949, LiteralConversionRefusesWhatCannotBeHeld) {
  EXPECT_EQ(cp949("수"), "\xBC\xF6");
  EXPECT_THROW((void)cp949("😀"), std::invalid_argument);
}

TEST(Cp949, AConverterKeptFromTextToTextConvertsEachAsIfAlone) {
  // Broken input between good texts: a failure must leave nothing behind
  // for the next text.
  const std::string utf8Texts[] = {"김철수", "a\xEA\xB9", "남궁민수", "김😀", "", "(주)삼성", "똠"};
  const std::string cp949Texts[] = {"\xB1\xE8", "\xB1", "\xC3\xB6\xBC\xF6",
                                    "a\xFF",    "abc",  "\x8C\x63"};
  Cp949Converter converter;
  for (int round = 0; round < 2; ++round) {
    for (const std::string& text : utf8Texts) {
      EXPECT_EQ(converter.fromUtf8(text), utf8ToCp949(text)) << text;
      EXPECT_EQ(converter.fromUtf16(utf8ToUtf16(text)), utf16ToCp949(utf8ToUtf16(text))) << text;
    }
    for (const std::string& text : cp949Texts) {
      EXPECT_EQ(converter.toUtf8(text), cp949ToUtf8(text)) << text;
      EXPECT_EQ(converter.toUtf16(text), cp949ToUtf16(text)) << text;
    }
  }
  EXPECT_EQ(converter.fromUtf8("김😀"), (Cp949Text{"\xB1\xE8?", true}));
  EXPECT_EQ(converter.toUtf8("\xB1\xE8\xFF"), "김\xEF\xBF\xBD");
}

TEST(Utf, SurrogatePairsAndInvalidInput) {
  EXPECT_EQ(utf8ToUtf16("😀"), u"😀");
  EXPECT_EQ(utf16ToUtf8(u"😀김"), "😀김");
  EXPECT_EQ(utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");            // overlong NUL
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_TRUE(isValidUtf8("김 \xEF\xBF\xBD"));
  EXPECT_FALSE(isValidUtf8("\xB1\xE8"));
}

}  // namespace
}  // namespace borvanta
