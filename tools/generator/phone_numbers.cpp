#include "tools/generator/phone_numbers.h"

#include <array>

namespace borvanta::generator {

namespace {

struct FormEntry {
  PhoneForm form;
  std::string_view name;
};

constexpr std::array<FormEntry, kPhoneFormCount> kForms{{
    {PhoneForm::MobileBare, "MobileBare"},
    {PhoneForm::MobileHyphens, "MobileHyphens"},
    {PhoneForm::MobileSpaces, "MobileSpaces"},
    {PhoneForm::MobileDots, "MobileDots"},
    {PhoneForm::OldMobile, "OldMobile"},
    {PhoneForm::SeoulBrackets, "SeoulBrackets"},
    {PhoneForm::SeoulBracketsSpace, "SeoulBracketsSpace"},
    {PhoneForm::SeoulSpaces, "SeoulSpaces"},
    {PhoneForm::SeoulBare, "SeoulBare"},
    {PhoneForm::AreaHyphens, "AreaHyphens"},
    {PhoneForm::Nationwide, "Nationwide"},
    {PhoneForm::NationwideBare, "NationwideBare"},
    {PhoneForm::Service0505, "Service0505"},
    {PhoneForm::Service080, "Service080"},
    {PhoneForm::Internet070, "Internet070"},
    {PhoneForm::PaddedEnds, "PaddedEnds"},
    {PhoneForm::PlusKoreaSpaced, "PlusKoreaSpaced"},
    {PhoneForm::PlusKoreaBare, "PlusKoreaBare"},
    {PhoneForm::PlusKoreaHyphens, "PlusKoreaHyphens"},
    {PhoneForm::PlusKoreaSeoul, "PlusKoreaSeoul"},
    {PhoneForm::PlusUnitedKingdom, "PlusUnitedKingdom"},
    {PhoneForm::KoreaWithoutPlus, "KoreaWithoutPlus"},
    {PhoneForm::Extension, "Extension"},
    {PhoneForm::UnknownPrefix, "UnknownPrefix"},
}};

constexpr std::array<PhoneForm, kPhoneFormCount> kFormList = [] {
  std::array<PhoneForm, kPhoneFormCount> forms{};
  for (std::size_t i = 0; i < kForms.size(); ++i)
    forms[i] = kForms[i].form;
  return forms;
}();

constexpr std::string_view kAreaCodes[] = {"031", "032", "033", "041", "042", "043", "051", "052",
                                           "053", "054", "055", "061", "062", "063", "064"};
constexpr std::string_view kOldMobilePrefixes[] = {"011", "016", "017", "018", "019"};
constexpr std::string_view kNationwidePrefixes[] = {"1588", "1577", "1544", "1599",
                                                    "1644", "1600", "1688", "1566"};
constexpr std::string_view kUnknownPrefixes[] = {"013", "044", "069"};

// `count` digits; the first is never 0 or 1 when `subscriber` is set, as in
// the first digit of a Korean exchange.
std::string digits(Random& random, int count, bool subscriber = true) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    out.push_back(i == 0 && subscriber ? static_cast<char>('2' + random.below(8)) : random.digit());
  }
  return out;
}

std::string joined(std::initializer_list<std::string_view> parts, std::string_view separator) {
  std::string out;
  for (std::string_view part : parts) {
    if (!out.empty()) out.append(separator);
    out.append(part);
  }
  return out;
}

std::string_view pickView(Random& random, std::span<const std::string_view> items) {
  return random.pick(items);
}

// A Seoul exchange has three or four digits.
std::string seoulExchange(Random& random) {
  return digits(random, random.percent(50) ? 3 : 4);
}

}  // namespace

std::span<const PhoneForm> allPhoneForms() {
  return kFormList;
}

std::string_view phoneFormName(PhoneForm form) {
  for (const FormEntry& entry : kForms) {
    if (entry.form == form) return entry.name;
  }
  return "?";
}

std::string makePhoneNumber(Random& random, PhoneForm form) {
  const std::string exchange = digits(random, 4);
  const std::string line = digits(random, 4, false);
  switch (form) {
    case PhoneForm::MobileBare:
      return "010" + exchange + line;
    case PhoneForm::MobileHyphens:
      return joined({"010", exchange, line}, "-");
    case PhoneForm::MobileSpaces:
      return joined({"010", exchange, line}, " ");
    case PhoneForm::MobileDots:
      return joined({"010", exchange, line}, ".");
    case PhoneForm::OldMobile:
      return joined({pickView(random, kOldMobilePrefixes), exchange.substr(1), line}, "-");
    case PhoneForm::SeoulBrackets:
      return "(02)" + seoulExchange(random) + "-" + line;
    case PhoneForm::SeoulBracketsSpace:
      return "(02) " + seoulExchange(random) + "-" + line;
    case PhoneForm::SeoulSpaces:
      return joined({"02", seoulExchange(random), line}, " ");
    case PhoneForm::SeoulBare:
      return "02" + seoulExchange(random) + line;
    case PhoneForm::AreaHyphens:
      return joined({pickView(random, kAreaCodes), seoulExchange(random), line}, "-");
    case PhoneForm::Nationwide:
      return joined({pickView(random, kNationwidePrefixes), line}, "-");
    case PhoneForm::NationwideBare:
      return std::string(pickView(random, kNationwidePrefixes)) + line;
    case PhoneForm::Service0505:
      return joined({"0505", exchange.substr(1), line}, "-");
    case PhoneForm::Service080:
      return joined({"080", exchange.substr(1), line}, "-");
    case PhoneForm::Internet070:
      return joined({"070", exchange, line}, "-");
    case PhoneForm::PaddedEnds: {
      const std::string_view before = random.percent(50) ? " " : "  ";
      const std::string_view after = random.percent(50) ? " " : "\t";
      return std::string(before) + joined({"010", exchange, line}, "-") + std::string(after);
    }
    case PhoneForm::PlusKoreaSpaced:
      return "+82 " + joined({"10", exchange, line}, "-");
    case PhoneForm::PlusKoreaBare:
      return "+8210" + exchange + line;
    case PhoneForm::PlusKoreaHyphens:
      return "+82-" + joined({"10", exchange, line}, "-");
    case PhoneForm::PlusKoreaSeoul:
      return joined({"+82", "2", exchange.substr(1), line}, " ");
    case PhoneForm::PlusUnitedKingdom:
      return joined({"+44", "20", exchange, line}, " ");
    case PhoneForm::KoreaWithoutPlus:
      return joined({"82", "10", exchange, line}, "-");
    case PhoneForm::Extension:
      return joined({"02", exchange.substr(1), line}, "-") + " ext. " + digits(random, 3, false);
    case PhoneForm::UnknownPrefix:
      return joined({pickView(random, kUnknownPrefixes), exchange, line}, "-");
  }
  return {};
}

PhoneForm drawMobileForm(Random& random) {
  static constexpr Weighted<PhoneForm> kMobile[] = {
      {PhoneForm::MobileHyphens, 45},    {PhoneForm::MobileBare, 20},
      {PhoneForm::MobileSpaces, 5},      {PhoneForm::MobileDots, 2},
      {PhoneForm::OldMobile, 3},         {PhoneForm::PaddedEnds, 3},
      {PhoneForm::PlusKoreaSpaced, 6},   {PhoneForm::PlusKoreaBare, 6},
      {PhoneForm::PlusKoreaHyphens, 4},  {PhoneForm::KoreaWithoutPlus, 3},
      {PhoneForm::PlusUnitedKingdom, 1}, {PhoneForm::UnknownPrefix, 1},
      {PhoneForm::Internet070, 1}};
  return pickWeighted<PhoneForm>(random, kMobile);
}

PhoneForm drawLandlineForm(Random& random) {
  static constexpr Weighted<PhoneForm> kLandline[] = {
      {PhoneForm::SeoulBrackets, 10}, {PhoneForm::SeoulBracketsSpace, 5},
      {PhoneForm::SeoulSpaces, 5},    {PhoneForm::SeoulBare, 8},
      {PhoneForm::AreaHyphens, 25},   {PhoneForm::Nationwide, 8},
      {PhoneForm::NationwideBare, 3}, {PhoneForm::Service0505, 3},
      {PhoneForm::Service080, 4},     {PhoneForm::Internet070, 8},
      {PhoneForm::PlusKoreaSeoul, 4}, {PhoneForm::PlusUnitedKingdom, 2},
      {PhoneForm::Extension, 3},      {PhoneForm::UnknownPrefix, 1}};
  return pickWeighted<PhoneForm>(random, kLandline);
}

}  // namespace borvanta::generator
