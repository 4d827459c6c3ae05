#pragma once
// The value of one content line as text: transfer encoding undone, character
// set known, ready to be unescaped and converted to UTF-8.

#include <string>
#include <string_view>

#include "backends/vcard/card.h"
#include "backends/vcard/charset.h"

namespace borvanta::vcard {

struct LineValue {
  // After quoted-printable or base64: escaped, in `charset`. A line without
  // a transfer encoding gives its own value, which the line keeps.
  [[nodiscard]] std::string_view bytes() const { return transferDecoded ? decoded : raw; }

  std::string decoded;   // what quoted-printable or base64 stood for
  std::string_view raw;  // the line's value, when it has no transfer encoding
  bool transferDecoded = false;
  Charset charset;
  bool charsetDeclared = false;  // the line has a CHARSET parameter
};

// Undoes the line's transfer encoding and finds its character set. The
// result may view the line's value: it lives no longer than the line. Throws
// SyntaxError (with the line's number) for an encoding or character set this
// backend does not read, or bytes the character set does not hold.
[[nodiscard]] LineValue decodeLineValue(const ContentLine& line, CharsetCodec& codec);

// One piece of a value (all of it, or one component) as UTF-8 text,
// unescaped. Throws SyntaxError when the bytes are not valid in the set.
[[nodiscard]] std::string textOf(std::string_view escaped, const LineValue& value, Version version,
                                 std::size_t lineNumber, CharsetCodec& codec);

// The whole value of a line as text; for a tel: URI, its number.
[[nodiscard]] std::string lineText(const ContentLine& line, Version version, CharsetCodec& codec);
// Component `index` of a structured line as text; empty past the last.
[[nodiscard]] std::string lineComponent(const ContentLine& line, Version version, std::size_t index,
                                        CharsetCodec& codec);

// True for a TEL value written as a URI (VALUE=uri, or "tel:" in 4.0).
[[nodiscard]] bool isUriValue(const ContentLine& line, Version version);

}  // namespace borvanta::vcard
