#include "tools/generator/vcard_syntax.h"

namespace borvanta::generator {

namespace {

constexpr std::size_t kBase64LineLength = 72;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

void appendHex(std::string& out, unsigned char byte) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  out.push_back('=');
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 0x0F]);
}

// The token that stands for `byte` in a quoted-printable value.
std::string quotedPrintableToken(char byte) {
  const auto c = static_cast<unsigned char>(byte);
  std::string token;
  if (byte == '\n') {
    token = "=0D=0A";
  } else if (c >= 0x7F || c == '=' || (c < 0x20 && !isBlank(byte))) {
    appendHex(token, c);
  } else {
    token.push_back(byte);
  }
  return token;
}

// White space may not end a quoted-printable line: it would be lost.
void encodeTrailingBlank(std::string& line) {
  if (line.empty() || !isBlank(line.back())) return;
  const auto blank = static_cast<unsigned char>(line.back());
  line.pop_back();
  appendHex(line, blank);
}

}  // namespace

std::string escapeText30(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case ',':
        out += "\\,";
        break;
      case ';':
        out += "\\;";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::string escapeComponent21(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == ';') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

void appendFolded(std::string& out, std::string_view line) {
  std::size_t limit = kFoldedLineOctets;
  while (line.size() > limit) {
    std::size_t cut = limit;
    // Back up to the start of a UTF-8 sequence.
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
      --cut;
    out.append(line.substr(0, cut)).append(kCrlf).push_back(' ');
    line.remove_prefix(cut);
    limit = kFoldedLineOctets - 1;  // the space that starts a continuation counts
  }
  out.append(line).append(kCrlf);
}

void appendQuotedPrintable(std::string& out, std::string_view head, std::string_view bytes) {
  std::string line(head);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string token = quotedPrintableToken(bytes[i]);
    const bool last = i + 1 == bytes.size();
    // A blank might end a line and need its three-character form.
    const std::size_t width = isBlank(bytes[i]) ? 3 : token.size();
    const std::size_t needed = width + (last ? 0 : 1);  // room for the soft break
    if (line.size() + needed > kQuotedPrintableColumns) {
      encodeTrailingBlank(line);
      out.append(line).append("=").append(kCrlf);
      line.clear();
    }
    line += token;
  }
  encodeTrailingBlank(line);
  out.append(line).append(kCrlf);
}

void appendIndentedBase64(std::string& out, std::string_view head, std::string_view data) {
  out.append(head).append(kCrlf);
  for (std::size_t i = 0; i < data.size(); i += kBase64LineLength) {
    out.append(" ").append(data.substr(i, kBase64LineLength)).append(kCrlf);
  }
  out.append(kCrlf);
}

}  // namespace borvanta::generator
