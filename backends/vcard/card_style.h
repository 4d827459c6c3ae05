#pragma once
// How a card writes its lines, learned from the card itself, so that a
// rewritten or added line looks like its neighbours: where long lines fold,
// how quoted-printable breaks and what it encodes, which character set
// Korean text is declared in, and how telephone types are written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/card.h"
#include "backends/vcard/charset.h"

namespace borvanta::vcard {

struct TelStyle {
  enum class Form : std::uint8_t {
    Bare,
    List,
    Repeated
  };  // TEL;CELL / TYPE=CELL,VOICE / TYPE=..;TYPE=..
  Form form = Form::List;
  std::string paramName = "TYPE";  // as the card writes it ("type" on some phones)
  bool lowerCase = false;          // "cell" rather than "CELL"
  bool quoted = false;             // TYPE="work,voice"
  bool withVoice = false;          // voice lines say VOICE too
  bool uri = false;                // values are tel: URIs
};

struct CardStyle {
  Version version = Version::V30;
  // Longest physical line of folded text; nothing when the card leaves long
  // text lines unfolded. 2.1 text lines are never folded.
  std::optional<std::size_t> foldWidth;
  // Value bytes per quoted-printable physical line, the '=' included.
  std::size_t qpWidth = 76;
  bool qpEncodesSpaces = false;
  // For non-ASCII text in a 2.1 line that names no character set: the
  // parameter to add ("CHARSET=ks_c_5601-1987", empty for none) and whether
  // such text goes quoted-printable.
  std::string charsetParam;
  bool textQuotedPrintable = false;
  // The character set of lines that name none.
  Charset implicitCharset;
  TelStyle tel;
};

// What an edit needs to know beyond folding and quoted-printable: the
// character sets matter only to text that is not ASCII (every set writes
// ASCII alike), the telephone style only to a new TEL line. A part not
// asked for keeps its default.
struct StyleNeeds {
  bool charsets = true;
  bool telephones = true;
};

[[nodiscard]] CardStyle styleOf(std::string_view cardText, const ParsedCard& card,
                                CharsetCodec& codec, StyleNeeds needs = {});

// The physical lines (content only) of a content line's raw text.
[[nodiscard]] std::vector<std::string_view> physicalContents(std::string_view raw);

}  // namespace borvanta::vcard
