// The page compiled into the program: every element the clean-up job reads
// or writes is there under its id and of its kind, the start is a plain link,
// each radio group has one button set, and the page needs nothing from
// outside the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "core/cp949.h"
#include "resources/resources.h"
#include "tests/support/named_rows.h"
#include "tests/unit/resources/start_tags.h"

namespace borvanta {
namespace {

using testing_support::StartTag;

std::string pageText() {
  const std::optional<std::string_view> page = resource("contact_sort.html");
  return page ? std::string(*page) : std::string();
}

const std::vector<StartTag>& pageTags() {
  static const std::vector<StartTag> tags = testing_support::startTags(pageText());
  return tags;
}

std::vector<const StartTag*> tagsWith(const std::string& attribute, const std::string& value) {
  std::vector<const StartTag*> found;
  for (const StartTag& tag : pageTags()) {
    if (tag.get(attribute) == value) found.push_back(&tag);
  }
  return found;
}

const StartTag* elementById(const std::string& id) {
  const std::vector<const StartTag*> found = tagsWith("id", id);
  return found.size() == 1 ? found.front() : nullptr;
}

TEST(ContactSortPage, IsCompiledIn) {
  ASSERT_FALSE(pageText().empty());
  EXPECT_FALSE(pageTags().empty());
}

struct ContractElement {
  const char* name;  // the element id
  const char* tag;   // "" for any element
  const char* type;  // the input type, "" for other elements
};

class PageContract : public testing::TestWithParam<ContractElement> {};

TEST_P(PageContract, ElementIsPresentOnceWithItsKind) {
  const ContractElement& row = GetParam();
  const std::vector<const StartTag*> found = tagsWith("id", row.name);
  ASSERT_EQ(found.size(), 1u) << "element \"" << row.name << "\" must be in the page once";
  const StartTag& element = *found.front();
  if (*row.tag != '\0') {
    EXPECT_EQ(element.name, row.tag) << "element \"" << row.name << "\"";
  }
  if (*row.type != '\0') {
    EXPECT_EQ(element.get("type").value_or("text"), row.type) << "element \"" << row.name << "\"";
  }
}

const std::vector<ContractElement>& contract() {
  static const std::vector<ContractElement> elements{
      ContractElement{"idLog", "", ""},
      ContractElement{"idProgress", "img", ""},
      ContractElement{"cbUseDefaultContact", "input", "checkbox"},
      ContractElement{"cbSeperateName", "input", "checkbox"},
      ContractElement{"cbResetNumber", "input", "checkbox"},
      ContractElement{"cbResetNationalNumber", "input", "checkbox"},
      ContractElement{"cbResetFullName", "input", "checkbox"},
      ContractElement{"cbResetDisplayName", "input", "checkbox"},
      ContractElement{"sbNameType", "select", ""},
      ContractElement{"sbDisplayType", "select", ""},
      ContractElement{"rbSeperateType1", "input", "radio"},
      ContractElement{"rbSeperateType2", "input", "radio"},
      ContractElement{"rbSeperateType3", "input", "radio"},
      ContractElement{"rbDisplayNameType1", "input", "radio"},
      ContractElement{"rbDisplayNameType2", "input", "radio"},
      ContractElement{"sDisplayName", "input", "text"}};
  return elements;
}

std::vector<ContractElement> controls() {
  std::vector<ContractElement> found;
  for (const ContractElement& element : contract()) {
    if (std::string_view(element.tag) == "input" || std::string_view(element.tag) == "select") {
      found.push_back(element);
    }
  }
  return found;
}

INSTANTIATE_TEST_SUITE_P(Table, PageContract, testing::ValuesIn(contract()),
                         testing_support::RowName());

class LabelledControl : public testing::TestWithParam<ContractElement> {};

TEST_P(LabelledControl, HasALabelTiedToIt) {
  const ContractElement& row = GetParam();
  const std::vector<const StartTag*> labels = tagsWith("for", row.name);
  ASSERT_EQ(labels.size(), 1u) << "control \"" << row.name << "\" needs one <label for>";
  EXPECT_EQ(labels.front()->name, "label") << "control \"" << row.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(Table, LabelledControl, testing::ValuesIn(controls()),
                         testing_support::RowName());

TEST(ContactSortPage, StartsARunWithAPlainLink) {
  const std::vector<const StartTag*> links = tagsWith("href", "function://contact_sort_start");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links.front()->name, "a");
  EXPECT_FALSE(links.front()->has("target"));
}

struct RadioGroup {
  const char* name;
  std::vector<std::string> ids;
};

class RadioGroups : public testing::TestWithParam<RadioGroup> {};

TEST_P(RadioGroups, FormOneGroupWithExactlyOneButtonSet) {
  const RadioGroup& row = GetParam();
  std::vector<std::string> groupNames;
  int set = 0;
  for (const std::string& id : row.ids) {
    const StartTag* button = elementById(id);
    ASSERT_NE(button, nullptr) << "radio button \"" << id << "\"";
    groupNames.push_back(button->get("name").value_or(""));
    if (button->has("checked")) ++set;
  }
  ASSERT_FALSE(groupNames.front().empty()) << "radio button \"" << row.ids.front() << "\"";
  for (std::size_t i = 1; i < groupNames.size(); ++i) {
    EXPECT_EQ(groupNames[i], groupNames.front()) << "radio button \"" << row.ids[i] << "\"";
  }
  EXPECT_EQ(tagsWith("name", groupNames.front()).size(), row.ids.size())
      << "the group holds other buttons too";
  EXPECT_EQ(set, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RadioGroups,
    testing::Values(RadioGroup{"SeparateType",
                               {"rbSeperateType1", "rbSeperateType2", "rbSeperateType3"}},
                    RadioGroup{"DisplayNameType", {"rbDisplayNameType1", "rbDisplayNameType2"}}),
    testing_support::RowName());

struct Option {
  std::string value;
  std::string text;
  bool selected;
};

// The options of a select, in order: those between its tag and the next
// select.
std::vector<Option> optionsOf(const std::string& selectId) {
  std::vector<Option> options;
  bool inside = false;
  for (const StartTag& tag : pageTags()) {
    if (tag.name == "select") inside = tag.get("id") == selectId;
    if (!inside || tag.name != "option") continue;
    const std::string text = testing_support::textAfter(pageText(), tag);
    options.push_back({tag.get("value").value_or(text), text, tag.has("selected")});
  }
  return options;
}

TEST(ContactSortPage, NameTypeOffersOneAndTwo) {
  const std::vector<Option> options = optionsOf("sbNameType");
  ASSERT_EQ(options.size(), 2u);
  EXPECT_EQ(options[0].value, "1");
  EXPECT_NE(options[0].text.find("김철수"), std::string::npos);
  EXPECT_EQ(options[1].value, "2");
  EXPECT_NE(options[1].text.find("김 철수"), std::string::npos);
  EXPECT_TRUE(options[0].selected);
  EXPECT_FALSE(options[1].selected);
}

TEST(ContactSortPage, DisplayTypeOffersTemplatesOfTheFourWords) {
  const std::vector<Option> options = optionsOf("sbDisplayType");
  ASSERT_GE(options.size(), 4u);
  EXPECT_EQ(
      std::count_if(options.begin(), options.end(), [](const Option& o) { return o.selected; }), 1);
  for (const Option& option : options) {
    SCOPED_TRACE(option.value);
    EXPECT_NE(option.value.find("이름"), std::string::npos);
    EXPECT_FALSE(utf8ToCp949(option.value).lossy);
  }
  const std::vector<std::string> expected{"이름(회사명/부서)", "이름 (회사명)", "회사명 이름 직급",
                                          "이름 직급"};
  for (const std::string& value : expected) {
    EXPECT_TRUE(std::any_of(options.begin(), options.end(), [&](const Option& o) {
      return o.value == value;
    })) << value;
  }
}

TEST(ContactSortPage, ProgressImageStartsAtAFullWidthOfItsOwn) {
  const StartTag* image = elementById("idProgress");
  ASSERT_NE(image, nullptr);
  const std::string width = image->get("width").value_or("");
  ASSERT_FALSE(width.empty());
  EXPECT_GT(std::stoi(width), 0);
  EXPECT_EQ(width.find_first_not_of("0123456789"), std::string::npos) << width;
  EXPECT_EQ(image->get("src").value_or("").rfind("data:image/", 0), 0u);
}

TEST(ContactSortPage, LogComesAfterEveryControl) {
  const StartTag* log = elementById("idLog");
  ASSERT_NE(log, nullptr);
  for (const StartTag& tag : pageTags()) {
    if (tag.name == "input" || tag.name == "select") {
      EXPECT_LT(tag.offset, log->offset) << tag.get("id").value_or(tag.name);
    }
  }
}

// Every address in the page is the start address, a data address or the name
// of another compiled-in resource: nothing is fetched from outside.
TEST(ContactSortPage, NeedsNothingFromOutsideTheProgram) {
  for (const StartTag& tag : pageTags()) {
    for (const char* attribute : {"src", "href"}) {
      const std::optional<std::string> address = tag.get(attribute);
      if (!address) continue;
      SCOPED_TRACE(*address);
      if (*address == "function://contact_sort_start" || address->rfind("data:", 0) == 0) {
        continue;
      }
      EXPECT_TRUE(resource(*address).has_value());
    }
  }
  for (const char* name : {"contact_sort.css", "contact_sort.js"}) {
    const std::string text(resource(name).value_or(""));
    SCOPED_TRACE(name);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find("url("), std::string::npos);
    EXPECT_EQ(text.find("@import"), std::string::npos);
    EXPECT_EQ(text.find("://"), std::string::npos);
  }
}

TEST(Resources, AreFoundByNameWithTheirMediaTypes) {
  struct Expected {
    const char* name;
    std::string_view begins;
    std::string_view mediaType;
  };
  const Expected expected[] = {
      {"contact_sort.html", "<!DOCTYPE html>", "text/html; charset=utf-8"},
      {"contact_sort.css", "/*", "text/css; charset=utf-8"},
      {"contact_sort.js", "//", "text/javascript; charset=utf-8"},
      {"borvanta.svg", "<svg", "image/svg+xml"},
      {"borvanta.png", "\x89PNG\r\n\x1a\n", "image/png"},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const std::optional<std::string_view> bytes = resource(e.name);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, e.begins.size()), e.begins);
    EXPECT_EQ(resourceMediaType(e.name), e.mediaType);
  }
  EXPECT_EQ(resourceNames().size(), std::size(expected));
  EXPECT_FALSE(resource("contact_sort").has_value());
  EXPECT_FALSE(resource("").has_value());
  EXPECT_EQ(resourceMediaType("notes"), "application/octet-stream");
}

// The compiled-in bytes are the files' bytes, every one of them.
TEST(Resources, HoldTheFilesByteForByte) {
  const char* sourceDir = std::getenv("BORVANTA_SOURCE_DIR");
  ASSERT_NE(sourceDir, nullptr);
  for (std::string_view name : resourceNames()) {
    SCOPED_TRACE(name);
    const std::string path = std::string(sourceDir) + "/resources/" + std::string(name);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
      bytes.append(buffer, n);
    std::fclose(file);
    EXPECT_EQ(resource(name), std::string_view(bytes));
  }
}

}  // namespace
}  // namespace borvanta
