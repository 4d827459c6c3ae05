#include "backends/vcard/card_style.h"

#include <algorithm>

#include "backends/vcard/line_value.h"
#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

constexpr std::size_t kFoldWidth = 75;  // RFC 6350: 75 octets
constexpr std::size_t kQpWidth = 76;    // RFC 2045: 76 characters

bool hasLowerCase(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// 3.0 and 4.0: fold where the card folds; not at all when it leaves long
// text lines as they are.
std::optional<std::size_t> foldWidthOf(std::string_view text, const ParsedCard& card) {
  if (card.version == Version::V21) return std::nullopt;
  std::size_t widest = 0;
  bool longUnfolded = false;
  for (const ContentLine& line : card.lines) {
    const bool longLine = line.raw.of(text).size() > kFoldWidth + line.lineBreak.size();
    if ((!line.folded && !longLine) || line.encoding() == ValueEncoding::Base64) continue;
    if (line.folded) {
      widest = std::max(widest, line.longestPhysical);
    } else {
      longUnfolded = true;
    }
  }
  if (widest > 0) return widest;
  if (longUnfolded) return std::nullopt;
  return kFoldWidth;
}

void learnQuotedPrintable(std::string_view text, const ParsedCard& card, CardStyle& style) {
  std::size_t widest = 0;
  bool sawEncodedSpace = false;
  bool sawRawSpace = false;
  for (const ContentLine& line : card.lines) {
    if (line.encoding() != ValueEncoding::QuotedPrintable) continue;
    sawEncodedSpace = sawEncodedSpace || line.value.find("=20") != std::string_view::npos;
    sawRawSpace = sawRawSpace || line.value.find(' ') != std::string_view::npos;
    if (!line.softBreaks) continue;
    const std::vector<std::string_view> pieces = physicalContents(line.raw.of(text));
    // The last piece is as short as the value left it; the first one
    // starts after the prefix.
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
      const std::size_t head = k == 0 ? line.prefix.size() + 1 : 0;
      if (pieces[k].size() > head) widest = std::max(widest, pieces[k].size() - head);
    }
  }
  style.qpWidth = widest > 0 ? widest : kQpWidth;
  style.qpEncodesSpaces = sawEncodedSpace && !sawRawSpace;
}

// The character set a 2.1 card declares for its non-ASCII text, and the
// set of lines that declare none.
// True when a value (quoted-printable or not) holds a byte above ASCII;
// found without decoding it.
bool holdsHighBytes(const ContentLine& line) {
  if (line.encoding() != ValueEncoding::QuotedPrintable) return !isAscii(line.value);
  const std::string_view value = line.value;
  for (std::size_t i = 0; i + 1 < value.size(); ++i) {
    const char next = value[i + 1];
    if (value[i] == '=' && (next == '8' || next == '9' || (next >= 'A' && next <= 'F') ||
                            (next >= 'a' && next <= 'f'))) {
      return true;
    }
  }
  return false;
}

// The character set a 2.1 card declares for its non-ASCII text, and the
// set of lines that declare none.
void learnCharsets(const ParsedCard& card, CardStyle& style, CharsetCodec& codec) {
  const ContentLine* declaring = nullptr;
  bool sawCp949 = false;
  for (const ContentLine& line : card.lines) {
    if (!line.isOwn() || line.encoding() == ValueEncoding::Base64 || !holdsHighBytes(line)) {
      continue;
    }
    if (const std::optional<std::string_view> name = line.firstParamValue("CHARSET")) {
      const std::optional<Charset> charset = charsetNamed(*name);
      if (declaring == nullptr && charset && charset->kind != CharsetKind::Ascii) {
        declaring = &line;
      }
      continue;
    }
    try {
      sawCp949 = sawCp949 || decodeLineValue(line, codec).charset.kind == CharsetKind::Cp949;
    } catch (const std::exception&) {
      // a line no property is read from may hold anything
    }
  }
  style.implicitCharset = Charset{sawCp949 ? CharsetKind::Cp949 : CharsetKind::Utf8, {}};
  if (card.version != Version::V21) return;
  if (declaring != nullptr) {
    const Parameter* charset = declaring->findParam("CHARSET");
    style.charsetParam = "CHARSET=" + std::string(charset->values.front());
    style.textQuotedPrintable = declaring->encoding() == ValueEncoding::QuotedPrintable;
  } else if (!sawCp949) {
    style.charsetParam = "CHARSET=UTF-8";
    style.textQuotedPrintable = true;
  }
}

TelStyle telStyleOf(const ParsedCard& card) {
  TelStyle tel;
  tel.form = card.version == Version::V21 ? TelStyle::Form::Bare : TelStyle::Form::List;
  tel.lowerCase = card.version == Version::V40;
  tel.withVoice = card.version == Version::V21;
  for (const ContentLine& line : card.lines) {
    if (!line.isOwn() || line.name != "TEL") continue;
    tel.uri = isUriValue(line, card.version);
    int typeParams = 0;
    bool bare = false;
    bool list = false;
    for (const Parameter& param : line.params()) {
      if (param.name != "TYPE") continue;
      ++typeParams;
      bare = bare || param.bare;
      list = list || param.values.size() > 1;
      const std::string_view raw = param.raw.of(line.prefix);
      if (!param.bare) tel.paramName = std::string(raw.substr(0, raw.find('=')));
      tel.quoted = tel.quoted || raw.find('"') != std::string_view::npos;
      if (!param.values.empty()) tel.lowerCase = hasLowerCase(param.values.front());
    }
    if (typeParams == 0) continue;
    if (bare) {
      tel.form = TelStyle::Form::Bare;
    } else if (typeParams > 1) {
      tel.form = TelStyle::Form::Repeated;
    } else if (list) {
      tel.form = TelStyle::Form::List;
    }
    tel.withVoice = line.hasType("VOICE");
    break;
  }
  return tel;
}

}  // namespace

std::vector<std::string_view> physicalContents(std::string_view raw) {
  std::vector<std::string_view> pieces;
  LineCursor cursor(raw);
  for (PhysicalLine line; cursor.next(line);)
    pieces.push_back(line.content(raw));
  return pieces;
}

CardStyle styleOf(std::string_view cardText, const ParsedCard& card, CharsetCodec& codec,
                  StyleNeeds needs) {
  CardStyle style;
  style.version = card.version;
  style.foldWidth = foldWidthOf(cardText, card);
  learnQuotedPrintable(cardText, card, style);
  if (needs.charsets) learnCharsets(card, style, codec);
  if (needs.telephones) style.tel = telStyleOf(card);
  return style;
}

}  // namespace borvanta::vcard
