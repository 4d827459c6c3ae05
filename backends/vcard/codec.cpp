#include "backends/vcard/codec.h"

#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

void appendHexByte(std::string& out, char prefix, unsigned char byte) {
  out.push_back(prefix);
  out.push_back(kHexDigits[byte >> 4]);
  out.push_back(kHexDigits[byte & 0x0F]);
}

bool isTelChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '+' ||
         c == '-' || c == '.' || c == '(' || c == ')' || c == '*' || c == '#';
}

}  // namespace

std::optional<std::string> decodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 1 == text.size()) break;  // a soft line break with nothing after it
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexValue(text[i + 1]);
    const int low = hexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return out;
}

std::string encodeQuotedPrintable(std::string_view bytes, bool encodeSpaces) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const bool lastByte = i + 1 == bytes.size();
    const bool space = byte == ' ' || byte == '\t';
    if (byte == '=' || byte >= 0x7F || (byte < 0x20 && byte != '\t') ||
        (space && (encodeSpaces || lastByte))) {
      appendHexByte(out, '=', byte);
    } else {
      out.push_back(static_cast<char>(byte));
    }
  }
  return out;
}

std::optional<std::string> decodeBase64(std::string_view text) {
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') break;
    const int value = base64Value(c);
    if (value < 0) return std::nullopt;
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  return out;
}

std::string encodeBase64(std::string_view bytes) {
  std::string out;
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned value = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                           static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6)
      out.push_back(kBase64Alphabet[(value >> shift) & 0x3F]);
  }
  const std::size_t left = bytes.size() - i;
  if (left > 0) {
    unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
    if (left == 2) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out.push_back(kBase64Alphabet[(value >> 18) & 0x3F]);
    out.push_back(kBase64Alphabet[(value >> 12) & 0x3F]);
    out.push_back(left == 2 ? kBase64Alphabet[(value >> 6) & 0x3F] : '=');
    out.push_back('=');
  }
  return out;
}

std::vector<std::string_view> splitComponents(std::string_view value) {
  std::vector<std::string_view> components;
  std::size_t start = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\') {
      ++i;
    } else if (value[i] == ';') {
      components.push_back(value.substr(start, i - start));
      start = i + 1;
    }
  }
  components.push_back(value.substr(start));
  return components;
}

std::string unescapeText(std::string_view text, Version version) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out.push_back(c);
      continue;
    }
    const char next = text[i + 1];
    if (next == ';' || (version != Version::V21 && (next == ',' || next == '\\'))) {
      out.push_back(next);
      ++i;
    } else if (version != Version::V21 && (next == 'n' || next == 'N')) {
      out.push_back('\n');
      ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string escapeText(std::string_view text, Version version, bool component) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (version == Version::V21) {
      if (c == ';' && component) out.push_back('\\');
      out.push_back(c);
      continue;
    }
    if (c == '\\' || c == ',' || c == ';') {
      out.push_back('\\');
      out.push_back(c);
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;  // the line feed that follows stands for both
    } else if (c == '\n' || c == '\r') {
      out += "\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

bool isTelUri(std::string_view value) {
  return startsWithIgnoringCase(value, "tel:");
}

TelUri parseTelUri(std::string_view value) {
  TelUri uri;
  std::string_view rest = value.substr(4);
  const std::size_t semicolon = rest.find(';');
  if (semicolon != std::string_view::npos) {
    uri.parameters = std::string(rest.substr(semicolon));
    rest = rest.substr(0, semicolon);
  }
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && hexValue(rest[i + 1]) >= 0 &&
        hexValue(rest[i + 2]) >= 0) {
      uri.number.push_back(static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2])));
      i += 2;
    } else {
      uri.number.push_back(rest[i]);
    }
  }
  return uri;
}

std::string makeTelUri(std::string_view number, std::string_view parameters) {
  std::string uri = "tel:";
  for (char c : number) {
    if (isTelChar(c)) {
      uri.push_back(c);
    } else {
      appendHexByte(uri, '%', static_cast<unsigned char>(c));
    }
  }
  uri += parameters;
  return uri;
}

}  // namespace borvanta::vcard
