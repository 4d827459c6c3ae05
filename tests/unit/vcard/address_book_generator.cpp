#include "tests/unit/vcard/address_book_generator.h"

#include <array>
#include <random>
#include <string_view>

#include "core/cp949.h"
#include "core/text.h"

namespace borvanta::vcard::vcardtest {

namespace {

constexpr std::array<std::string_view, 12> surnames = {"김", "이", "박", "최",   "정",   "강",
                                                       "조", "윤", "장", "남궁", "황보", "제갈"};
constexpr std::array<std::string_view, 12> givenNames = {
    "민준", "서연", "도윤", "지우", "하준", "서윤", "철수", "영희", "석", "지민", "예준", "수아"};
constexpr std::array<std::string_view, 4> addressTerms = {"엄마", "아빠", "삼촌", "누나"};
constexpr std::array<std::string_view, 6> companies = {"삼성전자",   "네이버",   "카카오",
                                                       "현대자동차", "엘지전자", "한빛소프트"};
constexpr std::array<std::string_view, 4> departments = {"영업1팀", "연구소", "인사팀", "기획실"};
constexpr std::array<std::string_view, 5> titles = {"과장", "대리", "부장", "연구원", "팀장"};
constexpr std::array<const char*, 8> phoneForms = {
    "010%04u%04u",      "010-%04u-%04u", "010 %04u %04u", "+82 10 %04u %04u",
    "+82-10-%04u-%04u", "(02)%03u-%04u", "02%04u%04u",    "031.%03u.%04u"};

class Picker {
 public:
  explicit Picker(std::uint32_t seed) : engine_(seed) {}
  // Uniform enough for test data, and the same on every platform.
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
  template <class Array>
  std::string_view from(const Array& items) {
    return items[below(items.size())];
  }
  std::string phone() {
    return formatText(phoneForms[below(phoneForms.size())],
                      static_cast<unsigned>(below(9000) + 1000),
                      static_cast<unsigned>(below(9000) + 1000));
  }

 private:
  std::mt19937 engine_;
};

std::string quotedPrintable(std::string_view bytes) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || byte == '=') {
      out += '=';
      out += hex[byte >> 4];
      out += hex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

struct Person {
  std::string family;  // N's family component, UTF-8
  std::string given;   // N's given component, UTF-8
  std::string full;
  std::string company;
  std::string department;
  std::string title;
};

Person person(Picker& pick) {
  Person p;
  const std::string surname(pick.from(surnames));
  const std::string given(pick.from(givenNames));
  switch (pick.below(6)) {
    case 0:  // split
      p.family = surname, p.given = given, p.full = surname + given;
      break;
    case 1:  // joined in the given name
      p.given = surname + given, p.full = p.given;
      break;
    case 2:  // spaced
      p.given = surname + " " + given, p.full = p.given;
      break;
    case 3:  // a word of address
      p.given = std::string(pick.from(addressTerms)), p.full = p.given;
      break;
    case 4:  // Latin
      p.family = "Smith", p.given = "John", p.full = "John Smith";
      break;
    default:  // joined in the family name
      p.family = surname + given, p.full = p.family;
      break;
  }
  if (pick.below(2) == 0) {
    p.company = std::string(pick.from(companies));
    p.department = std::string(pick.from(departments));
    p.title = std::string(pick.from(titles));
  }
  return p;
}

std::string outlookCard(const Person& p, Picker& pick) {
  const std::string q = ";CHARSET=ks_c_5601-1987;ENCODING=QUOTED-PRINTABLE:";
  std::string card = "BEGIN:VCARD\r\nVERSION:2.1\r\n";
  card += "N;LANGUAGE=ko" + q + quotedPrintable(cp949(p.family)) + ";" +
          quotedPrintable(cp949(p.given)) + ";;;\r\n";
  card += "FN" + q + quotedPrintable(cp949(p.full)) + "\r\n";
  if (!p.company.empty()) {
    card += "ORG" + q + quotedPrintable(cp949(p.company)) + ";" +
            quotedPrintable(cp949(p.department)) + "\r\n";
    card += "TITLE" + q + quotedPrintable(cp949(p.title)) + "\r\n";
    card += "TEL;WORK;VOICE:" + pick.phone() + "\r\n";
  }
  card += "TEL;CELL;VOICE:" + pick.phone() + "\r\n";
  if (pick.below(3) == 0) card += "TEL;HOME;VOICE:" + pick.phone() + "\r\n";
  if (pick.below(4) == 0) card += "TEL;WORK;FAX:" + pick.phone() + "\r\n";
  card += "EMAIL;PREF;INTERNET:user" + std::to_string(pick.below(100000)) + "@example.co.kr\r\n";
  card += "REV:20240312T013045Z\r\nEND:VCARD\r\n";
  return card;
}

std::string googleCard(const Person& p, Picker& pick) {
  std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  card += "FN:" + p.full + "\r\nN:" + p.family + ";" + p.given + ";;;\r\n";
  card += "EMAIL;TYPE=INTERNET:user" + std::to_string(pick.below(100000)) + "@example.com\r\n";
  card += "TEL;TYPE=CELL:" + pick.phone() + "\r\n";
  if (pick.below(3) == 0) card += "TEL;TYPE=HOME:" + pick.phone() + "\r\n";
  if (!p.company.empty()) {
    card += "TEL;TYPE=WORK:" + pick.phone() + "\r\n";
    card += "ORG:" + p.company + ";" + p.department + "\r\nTITLE:" + p.title + "\r\n";
  }
  if (pick.below(5) == 0) card += "item1.TEL:" + pick.phone() + "\r\nitem1.X-ABLabel:회사\r\n";
  card += "END:VCARD\r\n";
  return card;
}

}  // namespace

std::string generateAddressBook(std::size_t count, std::uint32_t seed) {
  Picker pick(seed);
  std::string book;
  for (std::size_t i = 0; i < count; ++i) {
    if (i % 97 == 96) {
      book += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:그룹 " + std::to_string(i) +
              "\r\nX-ADDRESSBOOKSERVER-KIND:group\r\nEND:VCARD\r\n";
      continue;
    }
    const Person p = person(pick);
    book += pick.below(2) == 0 ? outlookCard(p, pick) : googleCard(p, pick);
  }
  return book;
}

}  // namespace borvanta::vcard::vcardtest
