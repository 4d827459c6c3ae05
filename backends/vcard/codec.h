#pragma once
// The encodings of vCard values: quoted-printable, base64, backslash
// escapes, structured values split at ';', and 4.0 tel: URIs.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/card.h"

namespace borvanta::vcard {

// "=C8=AB" to bytes. A '=' at the very end (a soft line break with nothing
// after it) is dropped; nothing for a '=' not followed by two hex digits.
[[nodiscard]] std::optional<std::string> decodeQuotedPrintable(std::string_view text);
// Bytes to quoted-printable without soft line breaks: '=', control bytes and
// bytes from 0x7F up are encoded, and so are spaces when `encodeSpaces`.
[[nodiscard]] std::string encodeQuotedPrintable(std::string_view bytes, bool encodeSpaces);

// Base64; white space inside is ignored. Nothing for other characters.
[[nodiscard]] std::optional<std::string> decodeBase64(std::string_view text);
[[nodiscard]] std::string encodeBase64(std::string_view bytes);

// The components of a structured value (N, ORG), split at each ';' that no
// backslash escapes; still escaped.
[[nodiscard]] std::vector<std::string_view> splitComponents(std::string_view value);

// Escaped text to text: in 3.0 and 4.0 "\\", "\,", "\;" and "\n"; in 2.1
// only "\;". Other backslashes stay as they are.
[[nodiscard]] std::string unescapeText(std::string_view text, Version version);
// Text to escaped text, the other way round. In 2.1 only a component of a
// structured value escapes ';'; line breaks are left to quoted-printable.
[[nodiscard]] std::string escapeText(std::string_view text, Version version, bool component);

// "tel:+82-10-1234-5678;ext=12": the number ("+82-10-1234-5678",
// percent-decoded) and what follows it (";ext=12").
struct TelUri {
  std::string number;
  std::string parameters;
};
[[nodiscard]] bool isTelUri(std::string_view value);
[[nodiscard]] TelUri parseTelUri(std::string_view value);
// The URI for `number`, characters outside the number alphabet
// percent-encoded, `parameters` appended as they were.
[[nodiscard]] std::string makeTelUri(std::string_view number, std::string_view parameters);

}  // namespace borvanta::vcard
