#include "backends/vcard/card_parser.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "backends/vcard/physical_lines.h"
#include "backends/vcard/vcard_error.h"
#include "core/text.h"

namespace borvanta::vcard {

namespace {

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

bool isValidName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (!isNameChar(c)) return false;
  }
  return true;
}

bool isBase64Char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/' || c == '=';
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// Calls `piece(span)` for each piece of `text` between `separator`s outside
// double quotes; spans are offsets in `text`.
template <class Piece>
void forEachPiece(std::string_view text, char separator, Piece piece) {
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == separator && !quoted) {
      piece(Span{start, i});
      start = i + 1;
    }
  }
  if (quoted) throw SyntaxError(0, "매개변수의 따옴표가 닫히지 않았습니다");
  piece(Span{start, text.size()});
}

// The parameter name a bare 2.1 value implies.
std::string impliedName(std::string_view value) {
  static constexpr std::string_view encodings[] = {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT",
                                                   "7BIT"};
  static constexpr std::string_view valueKinds[] = {"INLINE", "URL", "URI", "CONTENT-ID", "CID"};
  for (std::string_view encoding : encodings) {
    if (equalsIgnoringCase(value, encoding)) return "ENCODING";
  }
  for (std::string_view kind : valueKinds) {
    if (equalsIgnoringCase(value, kind)) return "VALUE";
  }
  return "TYPE";
}

Parameter parseParameter(std::string_view prefix, Span raw) {
  Parameter param;
  param.raw = raw;
  const std::string_view text = raw.of(prefix);
  std::size_t equals = std::string_view::npos;
  for (std::size_t i = 0; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] == '=') {
      equals = i;
      break;
    }
  }
  std::string_view valueText = text;
  if (equals == std::string_view::npos) {
    param.bare = true;
    valueText = trimSpaces(text);
    param.name = impliedName(valueText);
  } else {
    const std::string_view name = trimSpaces(text.substr(0, equals));
    if (!isValidName(name)) throw SyntaxError(0, "매개변수 이름이 잘못되었습니다");
    param.name = upper(name);
    valueText = text.substr(equals + 1);
  }
  forEachPiece(valueText, ',', [&](Span piece) {
    std::string_view value = trimSpaces(piece.of(valueText));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
      // TYPE="work,voice" lists its types inside the quotes.
      if (param.name == "TYPE" && value.find(',') != std::string_view::npos) {
        forEachPiece(value, ',',
                     [&](Span type) { param.values.push_back(trimSpaces(type.of(value))); });
        return;
      }
    } else if (value.find('"') != std::string_view::npos) {
      throw SyntaxError(0, "매개변수 값의 따옴표가 잘못되었습니다");
    }
    param.values.push_back(value);
  });
  return param;
}

// What parseParameter refuses, found without keeping anything.
void checkParameter(std::string_view text) {
  std::size_t equals = std::string_view::npos;
  for (std::size_t i = 0; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] == '=') {
      equals = i;
      break;
    }
  }
  std::string_view valueText = text;
  if (equals != std::string_view::npos) {
    if (!isValidName(trimSpaces(text.substr(0, equals)))) {
      throw SyntaxError(0, "매개변수 이름이 잘못되었습니다");
    }
    valueText = text.substr(equals + 1);
  }
  forEachPiece(valueText, ',', [&](Span piece) {
    const std::string_view value = trimSpaces(piece.of(valueText));
    const bool quotedWhole = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!quotedWhole && value.find('"') != std::string_view::npos) {
      throw SyntaxError(0, "매개변수 값의 따옴표가 잘못되었습니다");
    }
  });
}

Version parseVersion(std::string_view value, std::size_t lineNumber) {
  const std::string_view trimmedValue = trimSpaces(value);
  if (trimmedValue == "2.1") return Version::V21;
  if (trimmedValue == "3.0") return Version::V30;
  if (trimmedValue == "4.0") return Version::V40;
  throw SyntaxError(lineNumber,
                    formatText("지원하지 않는 vCard 버전입니다 (%.*s)",
                               static_cast<int>(trimmedValue.size()), trimmedValue.data()));
}

// The card's own VERSION, found before the lines are joined because the
// version decides how they are unfolded.
Version findVersion(std::string_view text, const std::vector<PhysicalLine>& lines,
                    std::size_t firstLineNumber) {
  int depth = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view content = lines[i].content(text);
    if (isCardDelimiter(content, "BEGIN")) {
      ++depth;
    } else if (isCardDelimiter(content, "END")) {
      --depth;
    } else if (depth == 1 && startsWithIgnoringCase(content, "VERSION:")) {
      return parseVersion(content.substr(8), firstLineNumber + i);
    }
  }
  throw SyntaxError(firstLineNumber, "카드에 VERSION 줄이 없습니다");
}

bool startsWithWhiteSpace(std::string_view text, const PhysicalLine& line) {
  return line.contentEnd > line.begin && (text[line.begin] == ' ' || text[line.begin] == '\t');
}

bool isBase64Line(std::string_view content) {
  if (content.empty()) return false;
  for (char c : content) {
    if (!isBase64Char(c)) return false;
  }
  return true;
}

// Joins the physical lines of one content line, starting at `lines[i]`.
class LineJoiner {
 public:
  LineJoiner(std::string_view text, const std::vector<PhysicalLine>& lines, Version version)
      : text_(text), lines_(lines), version_(version) {}

  // Fills `line` with the content line starting at `i`; returns the index of
  // the physical line after it. `end` is the index of the END line.
  std::size_t join(std::size_t i, std::size_t end, ContentLine& line, std::string& unfolded);

 private:
  void append(std::size_t j, std::string_view piece, std::string& unfolded, ContentLine& line) {
    unfolded.append(piece);
    line.longestPhysical = std::max(line.longestPhysical, lines_[j].contentEnd - lines_[j].begin);
  }

  std::string_view text_;
  const std::vector<PhysicalLine>& lines_;
  Version version_;
};

std::size_t LineJoiner::join(std::size_t i, std::size_t end, ContentLine& line,
                             std::string& unfolded) {
  unfolded.clear();
  append(i, lines_[i].content(text_), unfolded, line);
  std::size_t j = i + 1;
  std::optional<ValueEncoding> encoding;  // known once it matters
  const auto encodingSoFar = [&]() {
    if (!encoding) {
      const std::size_t colon = findValueColon(unfolded);
      if (colon == std::string::npos) return ValueEncoding::None;  // still in the prefix
      ContentLine probe;
      probe.prefix = unfolded.substr(0, colon);
      encoding = probe.encoding();
    }
    return *encoding;
  };
  for (; j < end; ++j) {
    const std::string_view next = lines_[j].content(text_);
    // A quoted-printable soft line break comes first: the next line goes on
    // with the value as it is, even when it starts with white space.
    if (!unfolded.empty() && unfolded.back() == '=' &&
        encodingSoFar() == ValueEncoding::QuotedPrintable) {
      unfolded.pop_back();
      append(j, next, unfolded, line);
      line.softBreaks = true;
      continue;
    }
    if (startsWithWhiteSpace(text_, lines_[j])) {
      // 2.1 folds at white space that belongs to the value; later versions
      // insert one white-space character that unfolding removes.
      append(j, version_ == Version::V21 ? next : next.substr(1), unfolded, line);
      line.folded = true;
      continue;
    }
    if (version_ == Version::V21 && isBase64Line(next) &&
        encodingSoFar() == ValueEncoding::Base64) {
      append(j, next, unfolded, line);
      line.folded = true;
      continue;
    }
    break;
  }
  line.raw = {lines_[i].begin, lines_[j - 1].end};
  line.lineBreak = {lines_[j - 1].contentEnd, lines_[j - 1].end};
  return j;
}

}  // namespace

std::size_t findValueColon(std::string_view unfolded) {
  bool quoted = false;
  for (std::size_t i = 0; i < unfolded.size(); ++i) {
    if (unfolded[i] == '"') quoted = !quoted;
    if (unfolded[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

ParsedPrefix parsePrefix(std::string_view prefix, bool withParams) {
  ParsedPrefix parsed;
  bool first = true;
  forEachPiece(prefix, ';', [&](Span piece) {
    if (first) {
      first = false;
      std::string_view fullName = trimSpaces(piece.of(prefix));
      if (const std::size_t dot = fullName.find('.'); dot != std::string_view::npos) {
        parsed.group = std::string(fullName.substr(0, dot));
        fullName = fullName.substr(dot + 1);
        if (!isValidName(parsed.group)) throw SyntaxError(0, "속성의 그룹 이름이 잘못되었습니다");
      }
      if (!isValidName(fullName)) throw SyntaxError(0, "속성 이름이 잘못되었습니다");
      parsed.name = upper(fullName);
      return;
    }
    if (trimSpaces(piece.of(prefix)).empty()) return;
    if (withParams) {
      parsed.params.push_back(parseParameter(prefix, piece));
    } else {
      checkParameter(piece.of(prefix));
    }
  });
  return parsed;
}

ParsedCard parseCard(std::string_view text, std::size_t firstLineNumber) {
  std::vector<PhysicalLine> lines;
  LineCursor cursor(text);
  for (PhysicalLine line; cursor.next(line);)
    lines.push_back(line);
  if (lines.size() < 2 || !isCardDelimiter(lines.front().content(text), "BEGIN") ||
      !isCardDelimiter(lines.back().content(text), "END")) {
    throw SyntaxError(firstLineNumber, "카드가 BEGIN:VCARD와 END:VCARD 사이에 있지 않습니다");
  }
  ParsedCard card;
  card.lines.reserve(lines.size());
  card.version = findVersion(text, lines, firstLineNumber);
  card.beginLine = {lines.front().begin, lines.front().end};
  card.endLine = {lines.back().begin, lines.back().end};

  LineJoiner joiner(text, lines, card.version);
  const std::size_t end = lines.size() - 1;
  std::string unfolded;
  int depth = 1;
  for (std::size_t i = 1; i < end;) {
    if (lines[i].isBlank(text)) {
      ++i;
      continue;
    }
    const std::size_t lineNumber = firstLineNumber + i;
    if (startsWithWhiteSpace(text, lines[i])) {
      throw SyntaxError(lineNumber, "공백으로 시작하는 줄 앞에 이어질 속성이 없습니다");
    }
    ContentLine line;
    line.lineNumber = lineNumber;
    std::size_t next = 0;
    std::size_t colon = 0;
    try {
      next = joiner.join(i, end, line, unfolded);
      colon = findValueColon(unfolded);
      if (colon == std::string::npos) throw SyntaxError(0, "속성 이름 뒤에 ':'가 없습니다");
      ParsedPrefix prefix = parsePrefix(std::string_view(unfolded).substr(0, colon), false);
      line.group = std::move(prefix.group);
      line.name = std::move(prefix.name);
    } catch (const SyntaxError& error) {
      throw SyntaxError(lineNumber, error.reason());
    }
    line.prefix = unfolded.substr(0, colon);
    line.value = unfolded.substr(colon + 1);
    const bool opens = line.name == "BEGIN" && isCardDelimiter(unfolded, "BEGIN");
    const bool closes = line.name == "END" && isCardDelimiter(unfolded, "END");
    if (opens) ++depth;
    line.depth = depth;
    if (closes) {
      if (depth == 1) throw SyntaxError(lineNumber, "END:VCARD가 한 번 더 나옵니다");
      --depth;
    }
    card.lines.push_back(std::move(line));
    i = next;
  }
  if (depth != 1) throw SyntaxError(firstLineNumber, "카드 안의 카드가 끝나지 않았습니다");
  return card;
}

}  // namespace borvanta::vcard
