#include "backends/vcard/line_value.h"

#include "backends/vcard/codec.h"
#include "backends/vcard/physical_lines.h"
#include "backends/vcard/vcard_error.h"
#include "core/text.h"
#include "core/utf.h"

namespace borvanta::vcard {

namespace {

void checkEncodingNames(const ContentLine& line) {
  static constexpr std::string_view known[] = {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"};
  (void)line.anyParamValue("ENCODING", [&](std::string_view value) {
    bool found = false;
    for (std::string_view name : known)
      found = found || equalsIgnoringCase(value, name);
    if (!found) {
      throw SyntaxError(line.lineNumber, formatText("알 수 없는 인코딩입니다 (ENCODING=%.*s)",
                                                    static_cast<int>(value.size()), value.data()));
    }
    return false;
  });
}

}  // namespace

LineValue decodeLineValue(const ContentLine& line, CharsetCodec& codec) {
  checkEncodingNames(line);
  LineValue decoded;
  switch (line.encoding()) {
    case ValueEncoding::QuotedPrintable: {
      std::optional<std::string> bytes = decodeQuotedPrintable(line.value);
      if (!bytes) throw SyntaxError(line.lineNumber, "quoted-printable 값이 잘못되었습니다");
      decoded.decoded = std::move(*bytes);
      decoded.transferDecoded = true;
      break;
    }
    case ValueEncoding::Base64: {
      std::optional<std::string> bytes = decodeBase64(line.value);
      if (!bytes) throw SyntaxError(line.lineNumber, "base64 값이 잘못되었습니다");
      decoded.decoded = std::move(*bytes);
      decoded.transferDecoded = true;
      break;
    }
    case ValueEncoding::None:
      decoded.raw = line.value;
      break;
  }
  if (const std::optional<std::string_view> name = line.firstParamValue("CHARSET")) {
    std::optional<Charset> charset = charsetNamed(*name);
    if (!charset) {
      throw SyntaxError(line.lineNumber, formatText("읽을 수 없는 문자 집합입니다 (CHARSET=%.*s)",
                                                    static_cast<int>(name->size()), name->data()));
    }
    decoded.charset = std::move(*charset);
    decoded.charsetDeclared = true;
    return decoded;
  }
  std::optional<Charset> guessed = codec.guess(decoded.bytes());
  if (!guessed) throw SyntaxError(line.lineNumber, "UTF-8도 CP949도 아닌 글자가 있습니다");
  decoded.charset = std::move(*guessed);
  return decoded;
}

std::string textOf(std::string_view escaped, const LineValue& value, Version version,
                   std::size_t lineNumber, CharsetCodec& codec) {
  // Text that is UTF-8 already (ASCII in any set) is unescaped as it stands.
  const bool utf8Already =
      value.charset.kind == CharsetKind::Utf8 ? isValidUtf8(escaped) : isAscii(escaped);
  if (utf8Already) return unescapeText(escaped, version);
  std::optional<std::string> utf8 = codec.toUtf8(escaped, value.charset);
  if (!utf8) throw SyntaxError(lineNumber, "값에 문자 집합에 맞지 않는 바이트가 있습니다");
  return unescapeText(*utf8, version);
}

bool isUriValue(const ContentLine& line, Version version) {
  const bool uri = line.anyParamValue(
      "VALUE", [](std::string_view kind) { return equalsIgnoringCase(kind, "uri"); });
  return uri || (version == Version::V40 && isTelUri(line.value));
}

std::string lineText(const ContentLine& line, Version version, CharsetCodec& codec) {
  const LineValue value = decodeLineValue(line, codec);
  if (line.name == "TEL" && isUriValue(line, version) && isTelUri(value.bytes())) {
    std::optional<std::string> utf8 =
        codec.toUtf8(parseTelUri(value.bytes()).number, value.charset);
    if (!utf8) throw SyntaxError(line.lineNumber, "전화번호 URI가 잘못되었습니다");
    return *utf8;
  }
  return textOf(value.bytes(), value, version, line.lineNumber, codec);
}

std::string lineComponent(const ContentLine& line, Version version, std::size_t index,
                          CharsetCodec& codec) {
  const LineValue value = decodeLineValue(line, codec);
  const std::vector<std::string_view> components = splitComponents(value.bytes());
  if (index >= components.size()) return {};
  return textOf(components[index], value, version, line.lineNumber, codec);
}

}  // namespace borvanta::vcard
