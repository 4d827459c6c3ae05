// Reading the page's controls through the bridge: check boxes and radio
// buttons, text boxes, the two ways of reading a select, and text crossing
// from the page's UTF-8 into code page 949.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/cp949.h"
#include "page/memory_document.h"
#include "page/page_bridge.h"
#include "tests/support/fake_message_loop.h"
#include "tests/support/named_rows.h"

namespace borvanta {
namespace {

class PageReading : public testing::Test {
 protected:
  PageReading() { bridge.setDocument(page); }

  testing_support::FakeMessageLoop loop;
  PageBridge bridge{loop};
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
};

TEST_F(PageReading, BoxesAndRadioButtonsReadOneWhenTickedAndZeroOtherwise) {
  page->addCheckBox("cbOff", false);
  page->addCheckBox("cbOn", true);
  page->addRadio("rbOff", false);
  page->addRadio("rbOn", true);
  EXPECT_EQ(bridge.readCheck("cbOff"), 0);
  EXPECT_EQ(bridge.readCheck("cbOn"), 1);
  EXPECT_EQ(bridge.readCheck("rbOff"), 0);
  EXPECT_EQ(bridge.readCheck("rbOn"), 1);
}

TEST_F(PageReading, ControlsAreReadAsTheyAreAtTheMomentOfReading) {
  page->addCheckBox("cbSeperateName", false);
  page->addTextBox("sDisplayName", "a");
  EXPECT_EQ(bridge.readCheck("cbSeperateName"), 0);
  EXPECT_EQ(bridge.readText("sDisplayName").text, "a");
  page->setChecked("cbSeperateName", true);
  page->setValue("sDisplayName", "b");
  EXPECT_EQ(bridge.readCheck("cbSeperateName"), 1);
  EXPECT_EQ(bridge.readText("sDisplayName").text, "b");
}

TEST_F(PageReading, AnEmptyTextBoxGivesAnEmptyText) {
  page->addTextBox("sDisplayName", "");
  EXPECT_EQ(bridge.readText("sDisplayName"), (Cp949Text{"", false}));
}

TEST_F(PageReading, ASelectValueIsReadAsItStands) {
  page->addSelect("sbDisplayType", " 이름 (회사명) ");
  EXPECT_EQ(bridge.readSelectValue("sbDisplayType"), (Cp949Text{cp949(" 이름 (회사명) "), false}));
}

TEST_F(PageReading, AValueEndsAtItsFirstNulCharacter) {
  page->addTextBox("sDisplayName", std::string("이름\0직급", 13));
  page->addSelect("sbDisplayType", std::string("회사명\0부서", 16));
  EXPECT_EQ(bridge.readText("sDisplayName").text, cp949("이름"));
  EXPECT_EQ(bridge.readSelectValue("sbDisplayType").text, cp949("회사명"));
}

// Text typed into the page reaches the job as code page 949; what that code
// page cannot hold becomes "?" and the result says so.
struct CrossingCase {
  const char* name;
  const char* pageText;  // UTF-8
  const char* expected;  // UTF-8 of the code page 949 result
  bool lossy;
};

class TextFromThePage : public testing::TestWithParam<CrossingCase> {};

TEST_P(TextFromThePage, BecomesCodePage949ForTextBoxesAndSelects) {
  const CrossingCase& row = GetParam();
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addTextBox("sDisplayName", row.pageText);
  page->addSelect("sbDisplayType", row.pageText);
  bridge.setDocument(page);

  const Cp949Text expected{cp949(row.expected), row.lossy};
  EXPECT_EQ(bridge.readText("sDisplayName"), expected);
  EXPECT_EQ(bridge.readSelectValue("sbDisplayType"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextFromThePage,
    testing::Values(CrossingCase{"Ascii", "FileAs-1", "FileAs-1", false},
                    CrossingCase{"KoreanTemplate", "이름(회사명/부서)", "이름(회사명/부서)", false},
                    CrossingCase{"HanjaAndSymbolsOfTheCodePage", "金 ※ ㈜", "金 ※ ㈜", false},
                    CrossingCase{"Emoji", "이름 😀", "이름 ?", true},
                    CrossingCase{"LetterTheCodePageLacks", "이름 ẞ 직급", "이름 ? 직급", true}),
    testing_support::RowName());

TEST_F(PageReading, AnIdIsLookedUpInTheCodePageOfTheProgram) {
  page->addCheckBox("확인", true);
  EXPECT_EQ(bridge.readCheck(cp949("확인")), 1);
}

// readSelectNumber takes the integer the select's value begins with.
struct NumberCase {
  const char* name;
  const char* value;
  std::int32_t expected;
};

class SelectNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(SelectNumber, IsTheLeadingDecimalIntegerOfTheValue) {
  testing_support::FakeMessageLoop loop;
  PageBridge bridge(loop);
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addSelect("sbNameType", GetParam().value);
  bridge.setDocument(page);
  EXPECT_EQ(bridge.readSelectNumber("sbNameType"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SelectNumber,
    testing::Values(NumberCase{"Two", "2", 2}, NumberCase{"SpaceTwoX", " 2x", 2},
                    NumberCase{"XTwo", "x2", 0}, NumberCase{"Empty", "", 0},
                    NumberCase{"MinusOne", "-1", -1}, NumberCase{"PlusThree", "+3", 3},
                    NumberCase{"LeadingTab", "\t1", 1},
                    NumberCase{"EveryWhiteSpaceSkipped", " \t\r\n\v\f2", 2},
                    NumberCase{"LeadingZeros", "007", 7}, NumberCase{"Fraction", "1.9", 1},
                    NumberCase{"KoreanAfterTheNumber", "2 (김 철수)", 2},
                    NumberCase{"KoreanBeforeTheNumber", "김 2", 0},
                    NumberCase{"MinusAlone", "-", 0}, NumberCase{"PlusAlone", "+", 0},
                    NumberCase{"TwoSigns", "+-1", 0}, NumberCase{"SpaceAfterSign", "- 1", 0},
                    NumberCase{"WhiteSpaceOnly", "  ", 0}, NumberCase{"FullWidthDigit", "２", 0},
                    NumberCase{"Largest", "2147483647", INT32_MAX},
                    NumberCase{"Smallest", "-2147483648", INT32_MIN},
                    NumberCase{"OverflowSaturatesHigh", "2147483648", INT32_MAX},
                    NumberCase{"OverflowSaturatesLow", "-2147483649", INT32_MIN},
                    NumberCase{"FarBeyondTheLimit", "99999999999999999999999", INT32_MAX}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta
