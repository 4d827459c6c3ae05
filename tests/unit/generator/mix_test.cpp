// The mix of a generated book: every kind of name, number and card syntax
// that real Korean address books hold turns up in a thousand contacts.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>

#include "core/cp949.h"
#include "tests/support/named_rows.h"
#include "tests/unit/generator/vcard_scan.h"
#include "tools/generator/address_book.h"
#include "tools/generator/fields.h"

namespace borvanta::generator {
namespace {

using testing_support::ScannedCard;
using testing_support::ScannedProperty;

constexpr std::uint64_t kSeed = 77;
constexpr std::size_t kContacts = 1000;

const std::vector<Contact>& contacts() {
  static const std::vector<Contact> all = makeContacts(kSeed, kContacts, FileVersion::Mixed);
  return all;
}

const testing_support::Scan& scan() {
  static const testing_support::Scan scanned = testing_support::scanVcards(generateAddressBook(
      {.contacts = kContacts, .seed = kSeed, .version = FileVersion::Mixed, .lists = {}}));
  return scanned;
}

TEST(Mix, EveryNameFormAppears) {
  std::map<NameForm, int> seen;
  for (const Contact& c : contacts())
    ++seen[c.nameForm];
  for (std::size_t f = 0; f < kNameFormCount; ++f) {
    const auto form = static_cast<NameForm>(f);
    EXPECT_GT(seen[form], 0) << nameFormName(form);
  }
}

TEST(Mix, EveryPhoneFormAppears) {
  std::map<PhoneForm, int> seen;
  for (const Contact& c : contacts()) {
    for (const Phone& phone : c.phones)
      ++seen[phone.form];
  }
  for (PhoneForm form : allPhoneForms())
    EXPECT_GT(seen[form], 0) << phoneFormName(form);
}

// The written shape of each form.
const std::map<PhoneForm, std::regex>& phonePatterns() {
  static const std::map<PhoneForm, std::regex> patterns{
      {PhoneForm::MobileBare, std::regex(R"(010\d{8})")},
      {PhoneForm::MobileHyphens, std::regex(R"(010-\d{4}-\d{4})")},
      {PhoneForm::MobileSpaces, std::regex(R"(010 \d{4} \d{4})")},
      {PhoneForm::MobileDots, std::regex(R"(010\.\d{4}\.\d{4})")},
      {PhoneForm::OldMobile, std::regex(R"(01[16789]-\d{3}-\d{4})")},
      {PhoneForm::SeoulBrackets, std::regex(R"(\(02\)\d{3,4}-\d{4})")},
      {PhoneForm::SeoulBracketsSpace, std::regex(R"(\(02\) \d{3,4}-\d{4})")},
      {PhoneForm::SeoulSpaces, std::regex(R"(02 \d{3,4} \d{4})")},
      {PhoneForm::SeoulBare, std::regex(R"(02\d{7,8})")},
      {PhoneForm::AreaHyphens, std::regex(R"(0[3-6][1-5]-\d{3,4}-\d{4})")},
      {PhoneForm::Nationwide, std::regex(R"(1[56]\d\d-\d{4})")},
      {PhoneForm::NationwideBare, std::regex(R"(1[56]\d{6})")},
      {PhoneForm::Service0505, std::regex(R"(0505-\d{3}-\d{4})")},
      {PhoneForm::Service080, std::regex(R"(080-\d{3}-\d{4})")},
      {PhoneForm::Internet070, std::regex(R"(070-\d{4}-\d{4})")},
      {PhoneForm::PaddedEnds, std::regex(R"([ \t]+010-\d{4}-\d{4}[ \t]+)")},
      {PhoneForm::PlusKoreaSpaced, std::regex(R"(\+82 10-\d{4}-\d{4})")},
      {PhoneForm::PlusKoreaBare, std::regex(R"(\+8210\d{8})")},
      {PhoneForm::PlusKoreaHyphens, std::regex(R"(\+82-10-\d{4}-\d{4})")},
      {PhoneForm::PlusKoreaSeoul, std::regex(R"(\+82 2 \d{3} \d{4})")},
      {PhoneForm::PlusUnitedKingdom, std::regex(R"(\+44 20 \d{4} \d{4})")},
      {PhoneForm::KoreaWithoutPlus, std::regex(R"(82-10-\d{4}-\d{4})")},
      {PhoneForm::Extension, std::regex(R"(02-\d{3}-\d{4} ext\. \d{3})")},
      {PhoneForm::UnknownPrefix, std::regex(R"(0(13|44|69)-\d{4}-\d{4})")},
  };
  return patterns;
}

TEST(Mix, EveryNumberIsWrittenInItsForm) {
  ASSERT_EQ(phonePatterns().size(), kPhoneFormCount);
  for (const Contact& c : contacts()) {
    for (const Phone& phone : c.phones) {
      EXPECT_TRUE(std::regex_match(phone.value, phonePatterns().at(phone.form)))
          << phoneFormName(phone.form) << ": \"" << phone.value << "\"";
    }
  }
}

bool anyProperty(const ScannedCard& card, const std::function<bool(const ScannedProperty&)>& f) {
  return std::any_of(card.properties.begin(), card.properties.end(), f);
}

bool hasCharset(const ScannedProperty& p, std::string_view charset) {
  return p.hasParameter("CHARSET=" + std::string(charset));
}

// A double-byte code that only the extended code page 949 holds: a lead byte
// below 0xC7 with a trail byte below 0xA1.
bool hasExtendedSyllable(std::string_view bytes) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    if (lead < 0x81) continue;
    if (lead <= 0xC6 && trail < 0xA1) return true;
    ++i;
  }
  return false;
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

struct KindCase {
  const char* name;
  std::function<bool(const ScannedCard&)> present;
};

class KindsInAThousandContacts : public testing::TestWithParam<KindCase> {};

TEST_P(KindsInAThousandContacts, Appear) {
  ASSERT_EQ(scan().problems, std::vector<std::string>{});
  EXPECT_TRUE(std::any_of(scan().cards.begin(), scan().cards.end(), GetParam().present));
}

INSTANTIATE_TEST_SUITE_P(
    Table, KindsInAThousandContacts,
    testing::Values(
        KindCase{"Version21Card", [](auto& c) { return c.version == "2.1"; }},
        KindCase{"Version30Card", [](auto& c) { return c.version == "3.0" && !c.isList(); }},
        KindCase{"QuotedPrintableKorean",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.quotedPrintable && hasCharset(p, "ks_c_5601-1987");
                   });
                 }},
        KindCase{"SoftLineBreak",
                 [](auto& c) {
                   return anyProperty(
                       c, [](auto& p) { return p.quotedPrintable && p.lines.size() > 1; });
                 }},
        KindCase{"RawCodePage949Value",
                 [](auto& c) { return anyProperty(c, [](auto& p) { return p.rawEightBit; }); }},
        KindCase{"EucKrLabel",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) { return hasCharset(p, "EUC-KR"); });
                 }},
        KindCase{"ExtendedSyllableIn21",
                 [](auto& c) {
                   return c.version == "2.1" &&
                          anyProperty(c, [](auto& p) { return hasExtendedSyllable(p.bytes); });
                 }},
        KindCase{"UnrepresentableIn30",
                 [](auto& c) {
                   return c.version == "3.0" && anyProperty(c, [](auto& p) {
                            return p.name == "FN" && utf8ToCp949(p.value()).lossy;
                          });
                 }},
        KindCase{"FoldedLine",
                 [](auto& c) {
                   return c.version == "3.0" &&
                          anyProperty(c, [](auto& p) { return p.lines.size() > 1; });
                 }},
        KindCase{"BareTelTypes",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.name == "TEL" && p.hasParameter("CELL") && p.hasParameter("VOICE");
                   });
                 }},
        KindCase{"TelTypeList",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.name == "TEL" && p.hasParameter("TYPE=WORK,FAX");
                   });
                 }},
        KindCase{"RepeatedTypeParameters",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.name == "TEL" && p.hasParameter("type=CELL") &&
                            p.hasParameter("type=VOICE");
                   });
                 }},
        KindCase{"HomeFax",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.name == "TEL" && p.hasParameter("HOME") && p.hasParameter("FAX");
                   });
                 }},
        KindCase{"GroupedTel",
                 [](auto& c) {
                   return anyProperty(c,
                                      [](auto& p) { return p.name == "TEL" && !p.group.empty(); });
                 }},
        KindCase{"TelWithWhiteSpaceAtTheEnds",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     const std::string v = p.value();
                     return p.name == "TEL" && (v.starts_with(' ') || v.ends_with('\t'));
                   });
                 }},
        KindCase{"FileAs", [](auto& c) { return c.first("X-EVOLUTION-FILE-AS") != nullptr; }},
        KindCase{"FileAsWithComma",
                 [](auto& c) {
                   const ScannedProperty* p = c.first("X-EVOLUTION-FILE-AS");
                   return p != nullptr && p->value().find(", ") != std::string::npos;
                 }},
        KindCase{"CompanyAndDepartment",
                 [](auto& c) {
                   const ScannedProperty* org = c.first("ORG");
                   return org != nullptr && org->components.size() == 2 &&
                          !org->components[1].empty();
                 }},
        KindCase{"CompanyWithEscapedComma",
                 [](auto& c) {
                   const ScannedProperty* org = c.first("ORG");
                   return org != nullptr && c.version == "3.0" &&
                          org->lines.front().find("\\,") != std::string::npos;
                 }},
        KindCase{"KoreanTitle",
                 [](auto& c) {
                   const ScannedProperty* title = c.first("TITLE");
                   return title != nullptr && !isAscii(title->value());
                 }},
        KindCase{"LatinTitle",
                 [](auto& c) {
                   const ScannedProperty* title = c.first("TITLE");
                   return title != nullptr && isAscii(title->value());
                 }},
        KindCase{"MultiLineNote",
                 [](auto& c) {
                   const ScannedProperty* n = c.first("NOTE");
                   return n != nullptr && n->value().find('\n') != std::string::npos;
                 }},
        KindCase{"Photo21",
                 [](auto& c) { return c.version == "2.1" && c.first("PHOTO") != nullptr; }},
        KindCase{"Photo30",
                 [](auto& c) { return c.version == "3.0" && c.first("PHOTO") != nullptr; }},
        KindCase{"VendorProperty",
                 [](auto& c) {
                   return anyProperty(c, [](auto& p) {
                     return p.name.starts_with("X-MS-") || p.name.starts_with("X-ANDROID-") ||
                            p.name == "X-ABLABEL";
                   });
                 }},
        KindCase{
            "KindGroup40",
            [](auto& c) { return c.version == "4.0" && c.isList() && c.first("KIND") != nullptr; }},
        KindCase{"AddressBookServerGroup",
                 [](auto& c) { return c.first("X-ADDRESSBOOKSERVER-KIND") != nullptr; }},
        KindCase{"EvolutionList", [](auto& c) { return c.first("X-EVOLUTION-LIST") != nullptr; }}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta::generator
