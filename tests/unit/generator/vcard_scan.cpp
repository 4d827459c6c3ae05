#include "tests/unit/generator/vcard_scan.h"

#include <algorithm>
#include <cctype>

#include "core/cp949.h"
#include "core/utf.h"

namespace borvanta::testing_support {

namespace {

constexpr std::size_t kFoldedLimit = 75;
constexpr std::size_t kVersion21Limit = 76;

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits at ";" not escaped by a backslash; removes the escapes of the version.
std::vector<std::string> splitComponents(std::string_view value, bool version21) {
  std::vector<std::string> components(1);
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      if (version21 && next != ';') components.back().push_back('\\');
      components.back().push_back(!version21 && (next == 'n' || next == 'N') ? '\n' : next);
    } else if (c == ';') {
      components.emplace_back();
    } else {
      components.back().push_back(c);
    }
  }
  return components;
}

class Scanner {
 public:
  explicit Scanner(std::string_view file) : file_(file) { splitLines(); }

  Scan run() {
    while (next_ < lines_.size())
      card();
    return std::move(scan_);
  }

 private:
  void problem(std::size_t line, const std::string& what) {
    scan_.problems.push_back("line " + std::to_string(line + 1) + ": " + what);
  }

  void splitLines() {
    std::size_t start = 0;
    while (start < file_.size()) {
      const std::size_t end = file_.find('\n', start);
      if (end == std::string_view::npos) {
        problem(lines_.size(), "the file does not end with CRLF");
        lines_.push_back(file_.substr(start));
        offsets_.push_back(start);
        break;
      }
      std::size_t content = end;
      if (content == start || file_[content - 1] != '\r') {
        problem(lines_.size(), "line feed without carriage return");
      } else {
        --content;
      }
      lines_.push_back(file_.substr(start, content - start));
      offsets_.push_back(start);
      start = end + 1;
    }
    offsets_.push_back(file_.size());
  }

  void card() {
    const std::size_t begin = next_;
    if (lines_[next_++] != "BEGIN:VCARD") {
      problem(begin, "expected BEGIN:VCARD");
      return;
    }
    ScannedCard card;
    if (next_ < lines_.size() && lines_[next_].starts_with("VERSION:")) {
      card.version = std::string(lines_[next_++].substr(8));
    } else {
      problem(begin, "VERSION does not follow BEGIN");
    }
    if (card.version != "2.1" && card.version != "3.0" && card.version != "4.0") {
      problem(begin, "unknown version " + card.version);
    }
    for (;;) {
      if (next_ >= lines_.size()) {
        problem(begin, "card without END:VCARD");
        return;
      }
      if (lines_[next_] == "END:VCARD") break;
      if (lines_[next_] == "BEGIN:VCARD") {
        problem(next_, "BEGIN:VCARD inside a card");
        return;
      }
      card.properties.push_back(property(card.version));
    }
    ++next_;
    card.text = std::string(file_.substr(offsets_[begin], offsets_[next_] - offsets_[begin]));
    if (card.version != "2.1" && !isValidUtf8(card.text)) problem(begin, "card is not UTF-8");
    scan_.cards.push_back(std::move(card));
  }

  ScannedProperty property(const std::string& version) {
    const std::size_t first = next_;
    const bool v21 = version == "2.1";
    ScannedProperty p;
    std::string_view line = lines_[next_++];
    p.lines.emplace_back(line);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      problem(first, "property without a colon");
      return p;
    }
    head(p, line.substr(0, colon));
    std::string value(line.substr(colon + 1));
    p.quotedPrintable = p.hasParameter("ENCODING=QUOTED-PRINTABLE");
    const bool base64 = p.hasParameter("ENCODING=BASE64");
    if (v21 && p.quotedPrintable) {
      while (!value.empty() && value.back() == '=' && next_ < lines_.size()) {
        value.pop_back();
        p.lines.emplace_back(lines_[next_]);
        value += lines_[next_++];
      }
    } else if (v21 && base64) {
      while (next_ < lines_.size() && lines_[next_].starts_with(' ')) {
        p.lines.emplace_back(lines_[next_]);
        value += lines_[next_++].substr(1);
      }
      if (next_ >= lines_.size() || !lines_[next_].empty()) {
        problem(next_, "2.1 base64 value not ended by an empty line");
      } else {
        ++next_;
      }
    } else {
      while (next_ < lines_.size() && lines_[next_].starts_with(' ')) {
        p.lines.emplace_back(lines_[next_]);
        value += lines_[next_++].substr(1);
      }
    }
    for (const std::string& physical : p.lines) {
      const std::size_t limit = v21 ? kVersion21Limit : kFoldedLimit;
      if (physical.size() > limit) {
        problem(first, p.name + " line of " + std::to_string(physical.size()) + " octets");
      }
      if (p.quotedPrintable &&
          (!isAscii(physical) || physical.ends_with(' ') || physical.ends_with('\t'))) {
        problem(first, p.name + " quoted-printable line with a raw byte or trailing blank");
      }
    }
    decode(p, value, v21, first);
    return p;
  }

  void head(ScannedProperty& p, std::string_view head) {
    std::size_t semicolon = head.find(';');
    std::string_view name = head.substr(0, semicolon);
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
      p.group = name.substr(0, dot);
      name.remove_prefix(dot + 1);
    }
    p.name = upper(name);
    while (semicolon != std::string_view::npos) {
      const std::size_t start = semicolon + 1;
      semicolon = head.find(';', start);
      p.parameters.emplace_back(head.substr(start, semicolon - start));
    }
  }

  void decode(ScannedProperty& p, const std::string& value, bool v21, std::size_t line) {
    p.bytes = value;
    if (p.quotedPrintable) {
      p.bytes.clear();
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '=') {
          p.bytes.push_back(value[i]);
          continue;
        }
        const int high = i + 2 < value.size() ? hexValue(value[i + 1]) : -1;
        const int low = i + 2 < value.size() ? hexValue(value[i + 2]) : -1;
        if (high < 0 || low < 0) {
          problem(line, p.name + ": broken quoted-printable escape");
          break;
        }
        p.bytes.push_back(static_cast<char>(high * 16 + low));
        i += 2;
      }
    }
    std::string text = p.bytes;
    const bool hasCharset = std::any_of(p.parameters.begin(), p.parameters.end(),
                                        [](auto& s) { return upper(s).starts_with("CHARSET="); });
    if (v21 && hasCharset) {
      p.rawEightBit = !p.quotedPrintable;
      text = cp949ToUtf8(p.bytes);
      if (text.find("\xEF\xBF\xBD") != std::string::npos || utf8ToCp949(text).text != p.bytes) {
        problem(line, p.name + ": value is not valid code page 949");
      }
    } else if (v21 && !isAscii(p.bytes)) {
      problem(line, p.name + ": 8-bit value without a charset");
    }
    // Line breaks travel as CRLF inside quoted-printable.
    std::string unbroken;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      unbroken.push_back(text[i]);
    }
    p.components = splitComponents(unbroken, v21);
  }

  std::string_view file_;
  std::vector<std::string_view> lines_;
  std::vector<std::size_t> offsets_;
  std::size_t next_ = 0;
  Scan scan_;
};

}  // namespace

std::string ScannedProperty::value() const {
  std::string out;
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) out.push_back(';');
    out += components[i];
  }
  return out;
}

bool ScannedProperty::hasParameter(std::string_view parameter) const {
  const std::string wanted = upper(parameter);
  return std::any_of(parameters.begin(), parameters.end(),
                     [&](const std::string& p) { return upper(p) == wanted; });
}

const ScannedProperty* ScannedCard::first(std::string_view name) const {
  for (const ScannedProperty& p : properties) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

std::vector<const ScannedProperty*> ScannedCard::all(std::string_view name) const {
  std::vector<const ScannedProperty*> found;
  for (const ScannedProperty& p : properties) {
    if (p.name == name) found.push_back(&p);
  }
  return found;
}

bool ScannedCard::isList() const {
  for (const ScannedProperty& p : properties) {
    const std::string value = upper(p.value());
    if ((p.name == "KIND" || p.name == "X-ADDRESSBOOKSERVER-KIND") && value == "GROUP") return true;
    if (p.name == "X-EVOLUTION-LIST" && value == "TRUE") return true;
  }
  return false;
}

Scan scanVcards(std::string_view file) {
  return Scanner(file).run();
}

}  // namespace borvanta::testing_support
