// The reader's syntax layer: physical lines and their breaks, where cards lie
// in a file, and content lines with their parameters and exact byte ranges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/document.h"
#include "backends/vcard/physical_lines.h"
#include "backends/vcard/vcard_error.h"
#include "tests/support/named_rows.h"

namespace borvanta::vcard {
namespace {

using testing_support::RowName;

// ---------------------------------------------------------------- lines

struct LinesRow {
  const char* name;
  std::string text;
  std::vector<std::string> contents;
  std::vector<std::string> breaks;
};

class PhysicalLines : public ::testing::TestWithParam<LinesRow> {};

TEST_P(PhysicalLines, SplitsContentFromItsBreak) {
  const LinesRow& row = GetParam();
  std::vector<std::string> contents;
  std::vector<std::string> breaks;
  LineCursor cursor(row.text);
  for (PhysicalLine line; cursor.next(line);) {
    contents.emplace_back(line.content(row.text));
    breaks.emplace_back(line.lineBreak(row.text));
  }
  EXPECT_EQ(contents, row.contents);
  EXPECT_EQ(breaks, row.breaks);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, PhysicalLines,
    ::testing::Values(
        LinesRow{"CrLf", "A:1\r\nB:2\r\n", {"A:1", "B:2"}, {"\r\n", "\r\n"}},
        LinesRow{"Lf", "A:1\nB:2\n", {"A:1", "B:2"}, {"\n", "\n"}},
        LinesRow{"CrCrLfOfSomePhones", "A:1\r\r\nB:2\r\r\n", {"A:1", "B:2"}, {"\r\r\n", "\r\r\n"}},
        LinesRow{"CrOnlyWhenNoLineFeedAtAll", "A:1\rB:2\r", {"A:1", "B:2"}, {"\r", "\r"}},
        LinesRow{"LoneCrInsideALfFileIsContent", "A:x\ry\nB:2\n", {"A:x\ry", "B:2"}, {"\n", "\n"}},
        LinesRow{"LastLineWithoutBreak", "A:1\r\nB:2", {"A:1", "B:2"}, {"\r\n", ""}},
        LinesRow{"MixedBreaksKeptPerLine",
                 "A:1\r\nB:2\nC:3\r\n",
                 {"A:1", "B:2", "C:3"},
                 {"\r\n", "\n", "\r\n"}}),
    RowName());

// ---------------------------------------------------------------- cards in a file

std::vector<std::string> cardTexts(const std::string& text) {
  std::vector<std::string> texts;
  for (const CardLocation& location : locateCards(text))
    texts.emplace_back(location.raw.of(text));
  return texts;
}

TEST(LocateCards, KeepsTheBytesBetweenCardsOutOfEveryCard) {
  const std::string text =
      "\xEF\xBB\xBF"
      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n\r\n  \r\nbegin:vCard\r\nVERSION:3.0\r\n"
      "FN:B\r\nEND:vcard";
  const std::vector<CardLocation> cards = locateCards(text);
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].raw.of(text), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n");
  EXPECT_EQ(cards[0].lineNumber, 1u);
  EXPECT_EQ(cards[1].raw.of(text), "begin:vCard\r\nVERSION:3.0\r\nFN:B\r\nEND:vcard");
  EXPECT_EQ(cards[1].lineNumber, 7u);
}

TEST(LocateCards, AnEmptyFileIsAnEmptyAddressBook) {
  EXPECT_TRUE(locateCards("").empty());
  EXPECT_TRUE(locateCards("\r\n\r\n").empty());
}

TEST(LocateCards, AnEmbeddedCardBelongsToTheCardAroundIt) {
  const std::string text =
      "BEGIN:VCARD\nVERSION:2.1\nAGENT:\nBEGIN:VCARD\nVERSION:2.1\nFN:Agent\nEND:VCARD\n"
      "FN:Boss\nEND:VCARD\n";
  EXPECT_EQ(cardTexts(text), std::vector<std::string>{text});
}

struct RefusedRow {
  const char* name;
  std::string text;
  std::size_t line;
};

class RefusedFile : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedFile, NamesTheLine) {
  try {
    (void)locateCards(GetParam().text);
    FAIL() << "accepted";
  } catch (const SyntaxError& error) {
    EXPECT_EQ(error.line(), GetParam().line) << error.reason();
    EXPECT_FALSE(error.reason().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    NotVcard, RefusedFile,
    ::testing::Values(
        RefusedRow{"PlainText", "Dear Sir,\nthese are my contacts.\n", 1},
        RefusedRow{"TextAfterACard", "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n\nhello\n", 5},
        RefusedRow{"CardNeverEnds", "\nBEGIN:VCARD\nVERSION:3.0\nFN:A\n", 2},
        RefusedRow{"Utf16",
                   std::string("\xFF\xFE"
                               "B\0E\0",
                               6),
                   1},
        RefusedRow{"BinaryBytes",
                   std::string("BEGIN:VCARD\nVERSION:3.0\nPHOTO:\0\x01\nEND:VCARD\n", 44), 3}),
    RowName());

// ---------------------------------------------------------------- content lines

ParsedCard parse(const std::string& text) {
  return parseCard(text, 1);
}

TEST(ParseCard, RawRangesCoverTheCardExactly) {
  const std::string text =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:one\r\n  two\r\n\r\nFN:A\r\nEND:VCARD\r\n";
  const ParsedCard card = parse(text);
  ASSERT_EQ(card.lines.size(), 3u);
  EXPECT_EQ(card.lines[1].raw.of(text), "NOTE:one\r\n  two\r\n");
  EXPECT_EQ(card.lines[1].lineBreak.of(text), "\r\n");
  EXPECT_EQ(card.lines[1].lineNumber, 3u);
  EXPECT_EQ(card.lines[2].lineNumber, 6u);
  // BEGIN, the lines, the blank line and END put back together are the card.
  std::string rebuilt(card.beginLine.of(text));
  std::size_t at = card.beginLine.end;
  for (const ContentLine& line : card.lines) {
    rebuilt += text.substr(at, line.raw.begin - at);
    rebuilt += line.raw.of(text);
    at = line.raw.end;
  }
  rebuilt += text.substr(at);
  EXPECT_EQ(rebuilt, text);
}

struct ValueRow {
  const char* name;
  std::string card;  // the lines between BEGIN and END
  std::string lineName;
  std::string value;
};

class UnfoldedValue : public ::testing::TestWithParam<ValueRow> {};

TEST_P(UnfoldedValue, JoinsThePhysicalLines) {
  const ValueRow& row = GetParam();
  const ParsedCard card = parse("BEGIN:VCARD\r\n" + row.card + "END:VCARD\r\n");
  const ContentLine* line = card.first(row.lineName);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->value, row.value);
}

INSTANTIATE_TEST_SUITE_P(
    Folding, UnfoldedValue,
    ::testing::Values(
        ValueRow{"Version3RemovesOneWhiteSpace", "VERSION:3.0\r\nNOTE:ab\r\n  cd\r\n\tef\r\n",
                 "NOTE", "ab cdef"},
        ValueRow{"Version21KeepsTheWhiteSpace", "VERSION:2.1\r\nNOTE:ab\r\n cd\r\n", "NOTE",
                 "ab cd"},
        ValueRow{"FoldInsideTheParameters", "VERSION:3.0\r\nTEL;TYPE=CE\r\n LL:1\r\n", "TEL", "1"},
        ValueRow{"SoftBreakInColumnZero",
                 "VERSION:2.1\r\nNOTE;ENCODING=QUOTED-PRINTABLE:ab=\r\ncd=\r\nef\r\nFN:x\r\n",
                 "NOTE", "abcdef"},
        ValueRow{"SoftBreakThenEmptyLineEndsTheValue",
                 "VERSION:2.1\r\nORG;ENCODING=QUOTED-PRINTABLE:=C3=91=\r\n\r\nFN:x\r\n", "ORG",
                 "=C3=91"},
        ValueRow{"SoftBreakNeverSwallowsEnd", "VERSION:2.1\r\nNOTE;QUOTED-PRINTABLE:ab=\r\n",
                 "NOTE", "ab="},
        ValueRow{"SoftBreakBeforeASpaceKeepsTheSpace",
                 "VERSION:2.1\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=B0=AD=\r\n =BA\r\nFN:x\r\n",
                 "NOTE", "=B0=AD =BA"},
        ValueRow{"SoftBreakOnlyForQuotedPrintable", "VERSION:2.1\r\nNOTE:a=\r\nFN:x\r\n", "NOTE",
                 "a="},
        ValueRow{"UnindentedBase64Of21",
                 "VERSION:2.1\r\nPHOTO;ENCODING=BASE64;JPEG:/9j/4AAQ\r\nSkZJRgAB\r\n\r\nFN:x\r\n",
                 "PHOTO", "/9j/4AAQSkZJRgAB"},
        ValueRow{"QuotedColonIsNotTheValueColon",
                 "VERSION:3.0\r\nX-A;X-ID=\"a:b;c\":value:more\r\n", "X-A", "value:more"}),
    RowName());

TEST(ParseCard, ReadsGroupsAndEveryFormOfParameter) {
  const ParsedCard card = parse(
      "BEGIN:VCARD\r\nVERSION:2.1\r\nitem1.tel;CELL;voice:1\r\nTEL;TYPE=WORK,FAX:2\r\n"
      "TEL;type=HOME;type=pref:3\r\nTEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:4\r\n"
      "N;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:=C8=AB\r\nEND:VCARD\r\n");
  ASSERT_EQ(card.lines.size(), 6u);
  const ContentLine& grouped = card.lines[1];
  EXPECT_EQ(grouped.group, "item1");
  EXPECT_EQ(grouped.name, "TEL");
  EXPECT_EQ(grouped.prefix, "item1.tel;CELL;voice");
  EXPECT_TRUE(grouped.hasType("CELL"));
  EXPECT_TRUE(grouped.hasType("VOICE"));
  EXPECT_TRUE(grouped.params()[0].bare);
  EXPECT_TRUE(card.lines[2].hasType("WORK") && card.lines[2].hasType("FAX"));
  EXPECT_TRUE(card.lines[3].hasType("HOME") && card.lines[3].hasType("PREF"));
  EXPECT_TRUE(card.lines[4].hasType("work") && card.lines[4].hasType("VOICE"));
  EXPECT_EQ(card.lines[4].paramValues("VALUE"), std::vector<std::string_view>{"uri"});
  EXPECT_EQ(card.lines[5].encoding(), ValueEncoding::QuotedPrintable);
  EXPECT_EQ(card.lines[5].paramValues("CHARSET"), std::vector<std::string_view>{"ks_c_5601-1987"});
}

// A line's parameter values looked up without reading its parameters (a
// prefix without quotes) are exactly those its parameters hold.
struct PlainParamsRow {
  const char* name;
  const char* prefix;
};

class PlainParams : public ::testing::TestWithParam<PlainParamsRow> {};

TEST_P(PlainParams, AreThoseTheParametersHold) {
  const std::string text =
      std::string("BEGIN:VCARD\r\nVERSION:2.1\r\n") + GetParam().prefix + ":x\r\nEND:VCARD\r\n";
  for (std::string_view name : {"TYPE", "ENCODING", "CHARSET", "VALUE", "X-OWN"}) {
    const ParsedCard looked = parse(text);
    std::vector<std::string_view> plain;
    (void)looked.lines[1].anyParamValue(name, [&](std::string_view value) {
      plain.push_back(value);
      return false;
    });
    EXPECT_FALSE(looked.lines[1].parsedParams.value) << "read its parameters after all";
    const ParsedCard read = parse(text);
    EXPECT_EQ(plain, read.lines[1].paramValues(name)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, PlainParams,
    ::testing::Values(
        PlainParamsRow{"NoParameters", "TEL"}, PlainParamsRow{"BareTypes", "item1.TEL;CELL;voice"},
        PlainParamsRow{"BareEncodingsAndValueKinds", "PHOTO;BASE64;JPEG;URL;8bit"},
        PlainParamsRow{"TypeList", "TEL;TYPE=WORK,FAX,,pref"},
        PlainParamsRow{"RepeatedLowerCase", "TEL;type=HOME;Type=pref;TYPE=voice"},
        PlainParamsRow{"SpacesAroundEverything", "TEL; type = cell , voice ;  ; VALUE= uri"},
        PlainParamsRow{"EmptyValues", "TEL;TYPE=;X-OWN=,;CHARSET="},
        PlainParamsRow{"EncodedKorean", "N;CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE"},
        PlainParamsRow{"EmptyPieces", "ADR;;WORK;;PREF;;CHARSET=utf-8;"},
        PlainParamsRow{"ValueWithEqualsSigns", "X-OWN;X-OWN=a=b,c==d"}),
    RowName());

TEST(ParseCard, AnEqualsSignBeforeTheValueIsNoSoftBreak) {
  const ParsedCard card = parse(
      "BEGIN:VCARD\r\nVERSION:3.0\r\nTEL;TYPE=\r\n CELL;ENCODING=QUOTED-PRINTABLE:1\r\n"
      "END:VCARD\r\n");
  ASSERT_EQ(card.lines.size(), 2u);
  EXPECT_TRUE(card.lines[1].hasType("CELL"));
  EXPECT_EQ(card.lines[1].value, "1");
}

TEST(ParseCard, BareEncodingOf21IsAnEncoding) {
  const ParsedCard card = parse(
      "BEGIN:VCARD\r\nVERSION:2.1\r\nNOTE;QUOTED-PRINTABLE:a=\r\nb\r\nPHOTO;BASE64:AAAA\r\n"
      "END:VCARD\r\n");
  EXPECT_EQ(card.lines[1].encoding(), ValueEncoding::QuotedPrintable);
  EXPECT_EQ(card.lines[1].value, "ab");
  EXPECT_EQ(card.lines[2].encoding(), ValueEncoding::Base64);
}

TEST(ParseCard, TheVersionMayComeAnywhere) {
  EXPECT_EQ(parse("BEGIN:VCARD\nFN:a\nVERSION:4.0\nEND:VCARD\n").version, Version::V40);
  EXPECT_EQ(parse("BEGIN:VCARD\nVERSION:2.1\nEND:VCARD\n").version, Version::V21);
}

TEST(ParseCard, AnEmbeddedCardIsNotTheCardsOwn) {
  const ParsedCard card = parse(
      "BEGIN:VCARD\nVERSION:2.1\nAGENT:\nBEGIN:VCARD\nVERSION:3.0\nFN:Agent\nEND:VCARD\n"
      "FN:Boss\nEND:VCARD\n");
  EXPECT_EQ(card.version, Version::V21);
  ASSERT_NE(card.first("FN"), nullptr);
  EXPECT_EQ(card.first("FN")->value, "Boss");
  int inner = 0;
  for (const ContentLine& line : card.lines)
    inner += line.isOwn() ? 0 : 1;
  EXPECT_EQ(inner, 4);  // BEGIN, VERSION, FN and END of the agent
}

struct BadCardRow {
  const char* name;
  std::string card;
  std::size_t line;
};

class BadCard : public ::testing::TestWithParam<BadCardRow> {};

TEST_P(BadCard, IsRefusedAtItsLine) {
  try {
    (void)parseCard(GetParam().card, 10);
    FAIL() << "accepted";
  } catch (const SyntaxError& error) {
    EXPECT_EQ(error.line(), GetParam().line) << error.reason();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, BadCard,
    ::testing::Values(
        BadCardRow{"NoColon", "BEGIN:VCARD\nVERSION:3.0\nFN:a\nNOTE\nEND:VCARD\n", 13},
        BadCardRow{"BadName", "BEGIN:VCARD\nVERSION:3.0\nFULL NAME:a\nEND:VCARD\n", 12},
        BadCardRow{"BadGroup", "BEGIN:VCARD\nVERSION:3.0\nit em.TEL:1\nEND:VCARD\n", 12},
        BadCardRow{"UnclosedQuote", "BEGIN:VCARD\nVERSION:3.0\nTEL;X=\"a:1\nEND:VCARD\n", 12},
        BadCardRow{"QuoteInsideAValue", "BEGIN:VCARD\nVERSION:3.0\nTEL;X=a\"b\":1\nEND:VCARD\n",
                   12},
        BadCardRow{"NoVersion", "BEGIN:VCARD\nFN:a\nEND:VCARD\n", 10},
        BadCardRow{"UnknownVersion", "BEGIN:VCARD\nFN:a\nVERSION:5.0\nEND:VCARD\n", 12},
        BadCardRow{"ContinuationWithNothingBefore", "BEGIN:VCARD\nVERSION:3.0\n\n x:1\nEND:VCARD\n",
                   13},
        BadCardRow{"EndTwice", "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\nEND:VCARD\n", 12}),
    RowName());

}  // namespace
}  // namespace borvanta::vcard
