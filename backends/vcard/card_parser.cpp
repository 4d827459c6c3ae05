#include "backends/vcard/card_parser.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "backends/vcard/physical_lines.h"
#include "backends/vcard/vcard_error.h"
#include "core/text.h"

namespace borvanta::vcard {

namespace {

constexpr std::array<bool, 256> makeNameChars() {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) {
    table[static_cast<std::size_t>(c)] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                         (c >= '0' && c <= '9') || c == '-' || c == '_';
  }
  return table;
}

bool isNameChar(char c) {
  static constexpr std::array<bool, 256> nameChars = makeNameChars();
  return nameChars[static_cast<unsigned char>(c)];
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

void assignUpper(std::string& out, std::string_view text) {
  out.assign(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::string upper(std::string_view text) {
  std::string out;
  assignUpper(out, text);
  return out;
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
    param.name = std::string(impliedParamName(valueText));
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

struct PlainName {
  std::string_view group;
  std::string_view name;  // as written
};

// The group and name of a prefix without double quotes, its parameters
// checked as parsePrefix checks them; nothing for anything else (quotes, a
// name it would refuse), which parsePrefix then reads or refuses itself.
std::optional<PlainName> splitPlainPrefix(std::string_view prefix) {
  if (findByte(prefix, '"') != std::string_view::npos) return std::nullopt;
  std::size_t semicolon = findByte(prefix, ';');
  PlainName plain;
  plain.name = trimSpaces(prefix.substr(0, semicolon));
  if (const std::size_t dot = findByte(plain.name, '.'); dot != std::string_view::npos) {
    plain.group = plain.name.substr(0, dot);
    plain.name = plain.name.substr(dot + 1);
    if (!isValidName(plain.group)) return std::nullopt;
  }
  if (!isValidName(plain.name)) return std::nullopt;
  while (semicolon != std::string_view::npos) {
    const std::size_t start = semicolon + 1;
    semicolon = findByte(prefix, ';', start);
    const std::string_view piece = trimSpaces(prefix.substr(start, semicolon - start));
    const std::size_t equals = findByte(piece, '=');
    if (equals != std::string_view::npos && !isValidName(trimSpaces(piece.substr(0, equals)))) {
      return std::nullopt;
    }
  }
  return plain;
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
      encoding = encodingNamedIn(std::string_view(unfolded).substr(0, colon));
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

// Reads the content lines of physical lines [first, end) of a card of
// `version`, numbering them from `firstLineNumber` for `lines[0]`.
class ContentLineReader {
 public:
  ContentLineReader(std::string_view text, const std::vector<PhysicalLine>& lines, Version version,
                    std::size_t firstLineNumber, TextStore& store)
      : text_(text),
        lines_(lines),
        joiner_(text, lines, version),
        firstLineNumber_(firstLineNumber),
        store_(store) {}

  // Room for every text the reader keeps of `text`: each line's unfolded
  // text, at most as long as its raw lines, and its name or group when they
  // are not kept as written (no longer than the line's prefix).
  static std::size_t storeSize(std::string_view text) { return 2 * text.size() + 16; }

  // Throws SyntaxError.
  std::vector<ContentLine> read(std::size_t first, std::size_t end);

 private:
  ContentLine readOne(std::size_t i, std::size_t end, std::size_t& next);

  std::string_view text_;
  const std::vector<PhysicalLine>& lines_;
  std::string_view upperName(std::string_view name);

  LineJoiner joiner_;
  std::size_t firstLineNumber_;
  TextStore& store_;
  std::string unfolded_;
  std::string scratch_;
};

std::vector<ContentLine> ContentLineReader::read(std::size_t first, std::size_t end) {
  std::vector<ContentLine> out;
  out.reserve(end - first);
  int depth = 1;
  for (std::size_t i = first; i < end;) {
    if (lines_[i].isBlank(text_)) {
      ++i;
      continue;
    }
    const std::size_t lineNumber = firstLineNumber_ + i;
    if (startsWithWhiteSpace(text_, lines_[i])) {
      throw SyntaxError(lineNumber, "공백으로 시작하는 줄 앞에 이어질 속성이 없습니다");
    }
    std::size_t next = 0;
    ContentLine line = readOne(i, end, next);
    const bool opens = line.name == "BEGIN" && isCardDelimiter(unfolded_, "BEGIN");
    const bool closes = line.name == "END" && isCardDelimiter(unfolded_, "END");
    if (opens) ++depth;
    line.depth = depth;
    if (closes) {
      if (depth == 1) throw SyntaxError(lineNumber, "END:VCARD가 한 번 더 나옵니다");
      --depth;
    }
    out.push_back(std::move(line));
    i = next;
  }
  if (depth != 1) throw SyntaxError(firstLineNumber_, "카드 안의 카드가 끝나지 않았습니다");
  return out;
}

ContentLine ContentLineReader::readOne(std::size_t i, std::size_t end, std::size_t& next) {
  const std::size_t lineNumber = firstLineNumber_ + i;
  ContentLine line;
  line.lineNumber = lineNumber;
  try {
    next = joiner_.join(i, end, line, unfolded_);
    const std::size_t colon = findValueColon(unfolded_);
    if (colon == std::string::npos) throw SyntaxError(0, "속성 이름 뒤에 ':'가 없습니다");
    const std::string_view kept = store_.keep(unfolded_);
    line.prefix = kept.substr(0, colon);
    line.value = kept.substr(colon + 1);
    if (const std::optional<PlainName> plain = splitPlainPrefix(line.prefix)) {
      line.group = plain->group;
      line.name = upperName(plain->name);
    } else {
      const ParsedPrefix parsed = parsePrefix(line.prefix, false);
      line.group = store_.keep(parsed.group);
      line.name = store_.keep(parsed.name);
    }
  } catch (const SyntaxError& error) {
    throw SyntaxError(lineNumber, error.reason());
  }
  return line;
}

// The name in upper case: as written when it is (most are).
std::string_view ContentLineReader::upperName(std::string_view name) {
  if (std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    return name;
  }
  assignUpper(scratch_, name);
  return store_.keep(scratch_);
}

std::vector<PhysicalLine> physicalLinesOf(std::string_view text) {
  std::vector<PhysicalLine> lines;
  // Room for lines of about forty bytes, without a pass over the text to
  // count them.
  lines.reserve(text.size() / 40 + 4);
  LineCursor cursor(text);
  for (PhysicalLine line; cursor.next(line);)
    lines.push_back(line);
  return lines;
}

}  // namespace

std::string_view impliedParamName(std::string_view bareValue) {
  static constexpr std::string_view encodings[] = {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT",
                                                   "7BIT"};
  static constexpr std::string_view valueKinds[] = {"INLINE", "URL", "URI", "CONTENT-ID", "CID"};
  // Most bare values are types (CELL, VOICE, WORK): none of the names
  // above starts as they do.
  constexpr std::string_view firstLetters = "QqBb87IiUuCc";
  if (bareValue.empty() || firstLetters.find(bareValue.front()) == std::string_view::npos) {
    return "TYPE";
  }
  for (std::string_view encoding : encodings) {
    if (equalsIgnoringCase(bareValue, encoding)) return "ENCODING";
  }
  for (std::string_view kind : valueKinds) {
    if (equalsIgnoringCase(bareValue, kind)) return "VALUE";
  }
  return "TYPE";
}

std::size_t findValueColon(std::string_view unfolded) {
  // Most prefixes quote nothing: the first colon is the one.
  const std::size_t colon = unfolded.find(':');
  if (colon == std::string_view::npos) return colon;
  if (unfolded.substr(0, colon).find('"') == std::string_view::npos) return colon;
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
  const std::vector<PhysicalLine> lines = physicalLinesOf(text);
  if (lines.size() < 2 || !isCardDelimiter(lines.front().content(text), "BEGIN") ||
      !isCardDelimiter(lines.back().content(text), "END")) {
    throw SyntaxError(firstLineNumber, "카드가 BEGIN:VCARD와 END:VCARD 사이에 있지 않습니다");
  }
  ParsedCard card;
  card.version = findVersion(text, lines, firstLineNumber);
  card.beginLine = {lines.front().begin, lines.front().end};
  card.endLine = {lines.back().begin, lines.back().end};
  card.texts = TextStore(ContentLineReader::storeSize(text));
  card.lines = ContentLineReader(text, lines, card.version, firstLineNumber, card.texts)
                   .read(1, lines.size() - 1);
  return card;
}

ParsedCard parseContentLines(std::string_view text, Version version, std::size_t firstLineNumber) {
  const std::vector<PhysicalLine> lines = physicalLinesOf(text);
  if (!lines.empty() && lines.back().end == lines.back().contentEnd) {
    throw SyntaxError(firstLineNumber + lines.size() - 1, "줄이 줄바꿈으로 끝나지 않습니다");
  }
  ParsedCard card;
  card.version = version;
  card.texts = TextStore(ContentLineReader::storeSize(text));
  card.lines =
      ContentLineReader(text, lines, version, firstLineNumber, card.texts).read(0, lines.size());
  return card;
}

}  // namespace borvanta::vcard
