#include "tools/generator/contact.h"

#include <array>
#include <cstdio>

#include "tools/generator/photo.h"
#include "tools/generator/value_pools.h"

namespace borvanta::generator {

namespace {

constexpr std::array<std::string_view, kNameFormCount> kNameFormNames{
    "Split",         "JoinedInGiven",    "JoinedInFamily", "Spaced",           "SpacedSplit",
    "CompoundSplit", "CompoundJoined",   "CompoundSpaced", "AddressTerm",      "OtherAddressTerm",
    "TitleNickname", "OneSyllableGiven", "LongGiven",      "ExtendedSyllable", "Latin",
    "CompanyOnly",   "Unrepresentable"};

// Shares per thousand contacts.
constexpr Weighted<NameForm> kNameForms[] = {
    {NameForm::Split, 300},         {NameForm::JoinedInGiven, 220},
    {NameForm::JoinedInFamily, 40}, {NameForm::Spaced, 60},
    {NameForm::SpacedSplit, 30},    {NameForm::CompoundSplit, 14},
    {NameForm::CompoundJoined, 12}, {NameForm::CompoundSpaced, 8},
    {NameForm::AddressTerm, 25},    {NameForm::OtherAddressTerm, 12},
    {NameForm::TitleNickname, 15},  {NameForm::OneSyllableGiven, 15},
    {NameForm::LongGiven, 10},      {NameForm::ExtendedSyllable, 12},
    {NameForm::Latin, 80},          {NameForm::CompanyOnly, 25},
    {NameForm::Unrepresentable, 15}};

constexpr std::string_view kUnrepresentable[] = {"😀", "👍", "🎂"};
constexpr std::string_view kChineseNames[] = {"张伟", "王芳", "刘洋"};

constexpr std::string_view kMailFamilies[] = {"kim", "lee",  "park", "choi", "jung", "kang",
                                              "cho", "yoon", "jang", "lim",  "han",  "oh"};
constexpr std::string_view kMailGivens[] = {"minjun", "seoyeon", "jihoon", "cs",  "yh",
                                            "jy",     "sungmin", "hana",   "dev", "sales"};
constexpr std::string_view kMailSeparators[] = {".", "_", ""};

constexpr std::string_view kListNames[] = {"가족",      "회사 동료",   "골프 모임",   "거래처",
                                           "대학 동기", "영업부 전체", "Project Team"};

std::string_view pick(Random& random, std::span<const std::string_view> items) {
  return random.pick(items);
}

std::string surname(Random& random) {
  return std::string(pickWeighted<std::string_view>(random, pools::kSurnames));
}

std::string givenName(Random& random) {
  return std::string(pick(random, pools::kGivenNames));
}

void setName(Contact& c, std::string family, std::string given, std::string formatted) {
  c.family = std::move(family);
  c.given = std::move(given);
  c.formatted = std::move(formatted);
}

// Korean names in every way they are stored.
void drawName(Random& random, Contact& c) {
  NameForm form = pickWeighted<NameForm>(random, kNameForms);
  if (form == NameForm::Unrepresentable && c.version == CardVersion::V21) {
    form = NameForm::JoinedInGiven;  // code page 949 files cannot carry it
  }
  c.nameForm = form;
  const std::string family = surname(random);
  const std::string given = givenName(random);
  const std::string compound(pick(random, pools::kCompoundSurnames));
  switch (form) {
    case NameForm::Split:
      return setName(c, family, given, family + given);
    case NameForm::JoinedInGiven:
      return setName(c, "", family + given, family + given);
    case NameForm::JoinedInFamily:
      return setName(c, family + given, "", family + given);
    case NameForm::Spaced:
      return setName(c, "", family + " " + given, family + " " + given);
    case NameForm::SpacedSplit:
      return setName(c, family, given, family + " " + given);
    case NameForm::CompoundSplit:
      return setName(c, compound, given, compound + given);
    case NameForm::CompoundJoined:
      return setName(c, "", compound + given, compound + given);
    case NameForm::CompoundSpaced:
      return setName(c, "", compound + " " + given, compound + " " + given);
    case NameForm::AddressTerm: {
      const std::string term(pick(random, pools::kAddressTerms));
      return setName(c, "", term, term);
    }
    case NameForm::OtherAddressTerm: {
      const std::string term(pick(random, pools::kOtherAddressTerms));
      return setName(c, "", term, term);
    }
    case NameForm::TitleNickname: {
      const std::string name = family + std::string(pick(random, pools::kTitleNicknames));
      return setName(c, "", name, name);
    }
    case NameForm::OneSyllableGiven: {
      const std::string first(pick(random, pools::kShortGivenNames));
      const std::string last = random.percent(50) ? compound : family;
      return setName(c, last, first, last + first);
    }
    case NameForm::LongGiven: {
      const std::string name = family + std::string(pick(random, pools::kLongGivenNames));
      return setName(c, "", name, name);
    }
    case NameForm::ExtendedSyllable: {
      const std::string first(pick(random, pools::kExtendedGivenNames));
      return setName(c, family, first, family + first);
    }
    case NameForm::Latin: {
      const pools::LatinName& name =
          random.pick(std::span<const pools::LatinName>(pools::kLatinNames));
      return setName(c, std::string(name.family), std::string(name.given),
                     std::string(name.given) + " " + std::string(name.family));
    }
    case NameForm::CompanyOnly:
      return setName(c, "", "", "");  // the company becomes the formatted name
    case NameForm::Unrepresentable: {
      if (random.percent(50)) {
        const std::string name(pick(random, kChineseNames));
        return setName(c, "", name, name);
      }
      const std::string name = family + given + std::string(pick(random, kUnrepresentable));
      return setName(c, "", name, name);
    }
  }
}

void drawOrganisation(Random& random, Contact& c) {
  const bool mustHaveCompany = c.nameForm == NameForm::CompanyOnly;
  if (!mustHaveCompany && !random.percent(60)) {
    if (random.percent(10)) c.title = pick(random, pools::kTitles);
    return;
  }
  const bool latin = c.nameForm == NameForm::Latin ? random.percent(70) : random.percent(12);
  c.company = latin ? pick(random, pools::kLatinCompanies) : pick(random, pools::kCompanies);
  if (mustHaveCompany) {
    c.formatted = c.company;
    if (random.percent(50)) c.department = pick(random, pools::kDepartments);
    return;
  }
  if (random.percent(70)) {
    c.department =
        latin ? pick(random, pools::kLatinDepartments) : pick(random, pools::kDepartments);
  }
  if (random.percent(75))
    c.title = latin ? pick(random, pools::kLatinTitles) : pick(random, pools::kTitles);
}

void addPhone(Random& random, Contact& c, PhoneRole role, PhoneForm form) {
  c.phones.push_back({role, form, makePhoneNumber(random, form)});
}

void drawPhones(Random& random, Contact& c) {
  if (random.percent(88)) addPhone(random, c, PhoneRole::Mobile, drawMobileForm(random));
  if (random.percent(45)) addPhone(random, c, PhoneRole::Work, drawLandlineForm(random));
  if (random.percent(20)) addPhone(random, c, PhoneRole::Home, drawLandlineForm(random));
  if (random.percent(12)) addPhone(random, c, PhoneRole::WorkFax, drawLandlineForm(random));
  if (random.percent(2)) addPhone(random, c, PhoneRole::HomeFax, drawLandlineForm(random));
  if (random.percent(4)) addPhone(random, c, PhoneRole::Other, drawLandlineForm(random));
  if (random.percent(3)) addPhone(random, c, PhoneRole::Mobile, drawMobileForm(random));
}

std::string emailAddress(Random& random) {
  std::string local(pick(random, kMailFamilies));
  local += pick(random, kMailSeparators);
  local += pick(random, kMailGivens);
  if (random.percent(40)) local += std::to_string(random.between(1, 99));
  return local + "@" + std::string(pick(random, pools::kMailDomains));
}

void drawAddress(Random& random, Contact& c) {
  c.street =
      std::string(pick(random, pools::kRoads)) + " " + std::to_string(random.between(1, 520));
  if (random.percent(30)) c.street += ", " + std::to_string(random.between(2, 30)) + "층";
  const pools::Locality& place = random.pick(std::span<const pools::Locality>(pools::kLocalities));
  c.locality = place.district;
  c.region = place.region;
  c.postalCode = std::to_string(random.between(10000, 63999));
}

void drawFileAs(Random& random, Contact& c) {
  if (c.family.empty() || c.given.empty()) {
    c.fileAs = c.formatted;
  } else if (random.percent(50)) {
    c.fileAs = c.family + ", " + c.given;  // the desktop address book's own form
  } else {
    c.fileAs = c.family + c.given;
  }
}

void drawVendorProperties(Random& random, Contact& c) {
  auto add = [&](std::string name, std::string value) {
    c.vendorProperties.push_back({std::move(name), std::move(value)});
  };
  if (c.version == CardVersion::V21) {
    if (random.percent(70)) add("X-MS-OL-DEFAULT-POSTAL-ADDRESS", random.percent(80) ? "0" : "2");
    if (random.percent(10)) add("X-WAB-GENDER", random.percent(50) ? "1" : "2");
    if (random.percent(5)) add("X-MS-IMADDRESS", emailAddress(random));
    return;
  }
  if (c.nameForm == NameForm::CompanyOnly && random.percent(60)) add("X-ABShowAs", "COMPANY");
  if (c.nameForm == NameForm::Latin && random.percent(30)) {
    add("X-PHONETIC-LAST-NAME", c.family);
  }
  if (random.percent(8)) {
    add("X-ANDROID-CUSTOM", "vnd.android.cursor.item/nickname;nick" +
                                std::to_string(random.between(1, 99)) + ";1;;;;;;;;;;;;;");
  }
  if (random.percent(6)) {
    add("X-SOCIALPROFILE;type=linkedin", "https://www.linkedin.com/in/" +
                                             std::string(pick(random, kMailFamilies)) +
                                             std::to_string(random.between(100, 999)));
  }
  if (random.percent(5)) add("X-MOZILLA-HTML", "FALSE");
  if (random.percent(4)) {
    add("item2.URL", "https://blog.example.kr/" + std::string(pick(random, kMailGivens)));
    add("item2.X-ABLabel", "_$!<HomePage>!$_");
  }
}

CardVersion drawVersion(Random& random, FileVersion version) {
  switch (version) {
    case FileVersion::V21:
      return CardVersion::V21;
    case FileVersion::V30:
      return CardVersion::V30;
    case FileVersion::Mixed:
      return random.percent(50) ? CardVersion::V21 : CardVersion::V30;
  }
  return CardVersion::V30;
}

}  // namespace

std::string_view nameFormName(NameForm form) {
  return kNameFormNames[static_cast<std::size_t>(form)];
}

std::string contactUid(std::uint64_t seed, std::size_t index) {
  Random random = Random::forItem(seed ^ 0x5555'AAAA'5555'AAAAULL, index);
  const std::uint64_t high = random.next();
  const std::uint64_t low = random.next();
  char text[40];
  std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx",
                static_cast<unsigned>(high >> 32), static_cast<unsigned>((high >> 16) & 0xFFFF),
                static_cast<unsigned>(high & 0xFFF),
                static_cast<unsigned>(0x8000 | ((low >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(low & 0xFFFF'FFFF'FFFFULL));
  return text;
}

Contact makeContact(std::uint64_t seed, std::size_t index, FileVersion version) {
  Random random = Random::forItem(seed, index);
  Contact c;
  c.index = index;
  c.version = drawVersion(random, version);
  c.styleSeed = random.next();
  c.uid = contactUid(seed, index);
  drawName(random, c);
  drawOrganisation(random, c);
  drawPhones(random, c);
  if (random.percent(50)) c.email = emailAddress(random);
  if (random.percent(25)) drawAddress(random, c);
  if (random.percent(8)) c.note = pick(random, pools::kNotes);
  if (random.percent(20)) drawFileAs(random, c);
  if (random.percent(3)) c.photo = makePhoto(random);
  drawVendorProperties(random, c);
  return c;
}

DistributionList makeList(std::uint64_t seed, std::size_t listIndex, std::size_t contacts,
                          FileVersion version) {
  Random random = Random::forItem(~seed, listIndex);
  DistributionList list;
  list.index = listIndex;
  list.uid = contactUid(~seed, listIndex);
  list.name = pick(random, kListNames);
  // The styles take turns, so every book with three lists has each of them.
  list.style = static_cast<ListStyle>(listIndex % 3);
  switch (version) {
    case FileVersion::V21:
      list.version = CardVersion::V21;
      list.style = ListStyle::AddressBookServer;
      break;
    case FileVersion::V30:
      list.version = CardVersion::V30;
      break;
    case FileVersion::Mixed:
      list.version = list.style == ListStyle::KindGroup ? CardVersion::V40 : CardVersion::V30;
      break;
  }
  const int members = contacts == 0 ? 0 : random.between(2, 12);
  for (int i = 0; i < members; ++i) {
    const std::size_t member = static_cast<std::size_t>(random.below(contacts));
    if (list.style == ListStyle::EvolutionList) {
      // Such a list names its members by address: one without an address
      // cannot be a member.
      const Contact contact = makeContact(seed, member, version);
      if (contact.email.empty()) continue;
      list.memberEmails.push_back(contact.email);
    }
    list.memberUids.push_back(contactUid(seed, member));
  }
  return list;
}

}  // namespace borvanta::generator
