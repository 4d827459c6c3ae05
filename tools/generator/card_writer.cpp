#include "tools/generator/card_writer.h"

#include <cstdio>
#include <initializer_list>

#include "core/cp949.h"
#include "tools/generator/photo.h"
#include "tools/generator/vcard_syntax.h"

namespace borvanta::generator {

namespace {

using Components = std::initializer_list<std::string_view>;

bool isAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// How a 2.1 card carries text that is not plain ASCII.
enum class KoreanEncoding : std::uint8_t { QuotedPrintable, RawBytes };

// Writes the properties of one card in its version's syntax.
class CardBuilder {
 public:
  CardBuilder(CardVersion version, std::uint64_t styleSeed) : version_(version), style_(styleSeed) {
    if (version_ == CardVersion::V21) {
      encoding_ = style_.percent(90) ? KoreanEncoding::QuotedPrintable : KoreanEncoding::RawBytes;
      charset_ = style_.percent(95) ? kKoreanCharset : "EUC-KR";
    }
    out_ = "BEGIN:VCARD\r\nVERSION:";
    out_ += version_ == CardVersion::V21 ? "2.1" : version_ == CardVersion::V30 ? "3.0" : "4.0";
    out_ += kCrlf;
  }

  [[nodiscard]] bool is21() const { return version_ == CardVersion::V21; }
  Random& style() { return style_; }

  // A text property: its components joined by ";", each escaped.
  void text(std::string_view nameAndParams, Components components) {
    std::string value;
    bool first = true;
    for (std::string_view component : components) {
      if (!first) value.push_back(';');
      first = false;
      value += is21() ? escapeComponent21(component) : escapeText30(component);
    }
    if (is21()) {
      text21(nameAndParams, value);
    } else {
      appendFolded(out_, std::string(nameAndParams) + ":" + value);
    }
  }

  // A property whose value is written exactly as given (ASCII).
  void raw(std::string_view nameAndParams, std::string_view value) {
    const std::string line = std::string(nameAndParams) + ":" + std::string(value);
    if (is21()) {
      out_.append(line).append(kCrlf);
    } else {
      appendFolded(out_, line);
    }
  }

  void photo(std::string_view png) {
    const std::string data = base64(png);
    if (is21()) {
      appendIndentedBase64(out_, "PHOTO;TYPE=PNG;ENCODING=BASE64:", data);
    } else {
      appendFolded(out_, "PHOTO;ENCODING=b;TYPE=PNG:" + data);
    }
  }

  std::string finish() {
    out_.append("END:VCARD").append(kCrlf);
    return std::move(out_);
  }

 private:
  // 2.1: ASCII as it is when it fits a line; anything else in code page 949,
  // quoted-printable unless the card writes raw bytes and the line fits.
  void text21(std::string_view nameAndParams, std::string_view value) {
    const bool multiLine = value.find('\n') != std::string_view::npos;
    const std::size_t plainLength = nameAndParams.size() + 1 + value.size();
    if (isAscii(value)) {
      if (!multiLine && plainLength <= kQuotedPrintableColumns) {
        out_.append(nameAndParams).append(":").append(value).append(kCrlf);
      } else {
        appendQuotedPrintable(out_,
                              std::string(nameAndParams) + ";ENCODING=QUOTED-PRINTABLE:", value);
      }
      return;
    }
    const std::string bytes = cp949(value);
    const std::string head = std::string(nameAndParams) + ";CHARSET=" + std::string(charset_);
    if (encoding_ == KoreanEncoding::RawBytes && !multiLine &&
        head.size() + 1 + bytes.size() <= kQuotedPrintableColumns) {
      out_.append(head).append(":").append(bytes).append(kCrlf);
      return;
    }
    appendQuotedPrintable(out_, head + ";ENCODING=QUOTED-PRINTABLE:", bytes);
  }

  CardVersion version_;
  Random style_;
  KoreanEncoding encoding_ = KoreanEncoding::QuotedPrintable;
  std::string_view charset_ = kKoreanCharset;
  std::string out_;
};

template <class T>
std::string_view drawSpelling(Random& random, std::initializer_list<Weighted<T>> table) {
  return pickWeighted<T>(random, std::span(table.begin(), table.size()));
}

// The parameters that say what a telephone number is, in the spellings the
// writers of each version use.
std::string_view phoneTypes(CardBuilder& card, PhoneRole role) {
  using W = Weighted<std::string_view>;
  Random& r = card.style();
  if (card.is21()) {
    switch (role) {
      case PhoneRole::Mobile:
        return drawSpelling(r, {W{"CELL;VOICE", 80}, W{"CELL", 15}, W{"PREF;CELL;VOICE", 5}});
      case PhoneRole::Home:
        return drawSpelling(r, {W{"HOME;VOICE", 85}, W{"HOME", 15}});
      case PhoneRole::Work:
        return drawSpelling(r, {W{"WORK;VOICE", 85}, W{"WORK", 15}});
      case PhoneRole::WorkFax:
        return drawSpelling(r, {W{"WORK;FAX", 90}, W{"FAX;WORK", 10}});
      case PhoneRole::HomeFax:
        return "HOME;FAX";
      case PhoneRole::Other:
        return "VOICE";
    }
  }
  switch (role) {
    case PhoneRole::Mobile:
      return drawSpelling(r, {W{"TYPE=CELL", 40}, W{"TYPE=CELL,VOICE", 20},
                              W{"type=CELL;type=VOICE;type=pref", 25}, W{"TYPE=cell", 15}});
    case PhoneRole::Home:
      return drawSpelling(
          r, {W{"TYPE=HOME,VOICE", 50}, W{"TYPE=HOME", 30}, W{"type=HOME;type=VOICE", 20}});
    case PhoneRole::Work:
      return drawSpelling(
          r, {W{"TYPE=WORK,VOICE", 50}, W{"TYPE=WORK", 30}, W{"type=WORK;type=VOICE", 20}});
    case PhoneRole::WorkFax:
      return drawSpelling(
          r, {W{"TYPE=WORK,FAX", 60}, W{"type=WORK;type=FAX", 30}, W{"TYPE=FAX,WORK", 10}});
    case PhoneRole::HomeFax:
      return "TYPE=HOME,FAX";
    case PhoneRole::Other:
      return "";
  }
  return "";
}

void writePhones(CardBuilder& card, const Contact& c) {
  for (const Phone& phone : c.phones) {
    const std::string_view types = phoneTypes(card, phone.role);
    if (phone.role == PhoneRole::Other && !card.is21()) {
      card.raw("item1.TEL", phone.value);
      card.raw("item1.X-ABLabel", "_$!<Other>!$_");
    } else {
      card.raw("TEL;" + std::string(types), phone.value);
    }
  }
}

std::string revision(Random& random, bool extended) {
  char text[32];
  const int year = random.between(2012, 2025);
  const int month = random.between(1, 12);
  const int day = random.between(1, 28);
  const int hour = random.between(0, 23);
  const int minute = random.between(0, 59);
  const int second = random.between(0, 59);
  std::snprintf(text, sizeof text,
                extended ? "%04d-%02d-%02dT%02d:%02d:%02dZ" : "%04d%02d%02dT%02d%02d%02dZ", year,
                month, day, hour, minute, second);
  return text;
}

void writeName(CardBuilder& card, const Contact& c) {
  if (card.is21()) {
    card.text("N", {c.family, c.given});
  } else {
    card.text("N", {c.family, c.given, "", "", ""});
  }
  card.text("FN", {c.formatted});
}

void writeOrganisation(CardBuilder& card, const Contact& c) {
  if (!c.company.empty() || !c.department.empty()) {
    if (c.department.empty()) {
      card.text("ORG", {c.company});
    } else {
      card.text("ORG", {c.company, c.department});
    }
  }
  if (!c.title.empty()) card.text("TITLE", {c.title});
}

void writeAddress(CardBuilder& card, const Contact& c) {
  if (c.street.empty()) return;
  const std::string_view params = card.is21() ? "ADR;WORK;PREF" : "ADR;TYPE=WORK";
  card.text(params, {"", "", c.street, c.locality, c.region, c.postalCode, "대한민국"});
}

}  // namespace

std::string writeContact(const Contact& c) {
  CardBuilder card(c.version, c.styleSeed);
  if (!card.is21() && card.style().percent(50)) {
    card.raw("PRODID", card.style().percent(50) ? "-//Apple Inc.//iPhone OS 17.4//EN"
                                                : "-//Google Inc//Google Contacts//EN");
  }
  writeName(card, c);
  writeOrganisation(card, c);
  if (!c.note.empty()) card.text("NOTE", {c.note});
  writePhones(card, c);
  writeAddress(card, c);
  if (!c.email.empty()) {
    card.raw(card.is21() ? "EMAIL;PREF;INTERNET" : "EMAIL;TYPE=INTERNET", c.email);
  }
  if (!c.fileAs.empty()) card.text("X-EVOLUTION-FILE-AS", {c.fileAs});
  if (!card.is21()) card.raw("UID", c.uid);
  for (const VendorProperty& property : c.vendorProperties)
    card.raw(property.name, property.value);
  if (!c.photo.empty()) card.photo(c.photo);
  card.raw("REV", revision(card.style(), !card.is21()));
  return card.finish();
}

std::string writeList(const DistributionList& list) {
  CardBuilder card(list.version, list.index);
  if (list.version == CardVersion::V40) {
    card.raw("KIND", "group");
    card.text("FN", {list.name});
  } else {
    card.text("N", {list.name, ""});
    card.text("FN", {list.name});
  }
  const std::string uid = "urn:uuid:" + list.uid;
  switch (list.style) {
    case ListStyle::KindGroup:
      if (list.version != CardVersion::V40) card.raw("KIND", "group");
      for (const std::string& member : list.memberUids)
        card.raw("MEMBER", "urn:uuid:" + member);
      card.raw("UID", list.version == CardVersion::V40 ? uid : list.uid);
      break;
    case ListStyle::AddressBookServer:
      card.raw("X-ADDRESSBOOKSERVER-KIND", "group");
      for (const std::string& member : list.memberUids)
        card.raw("X-ADDRESSBOOKSERVER-MEMBER", "urn:uuid:" + member);
      if (!card.is21()) card.raw("UID", list.uid);
      break;
    case ListStyle::EvolutionList:
      card.raw("X-EVOLUTION-LIST", "TRUE");
      card.raw("X-EVOLUTION-LIST-SHOW-ADDRESSES", "FALSE");
      for (std::size_t i = 0; i < list.memberEmails.size(); ++i) {
        card.raw("EMAIL;X-EVOLUTION-DEST-CONTACT-UID=" + list.memberUids[i], list.memberEmails[i]);
      }
      card.raw("UID", list.uid);
      break;
  }
  return card.finish();
}

}  // namespace borvanta::generator
