#pragma once
// A parsed vCard: its version and its content lines, each with the exact
// bytes it came from, so that a line nobody changes is copied as it was.
// Positions are offsets into the card's own text, which runs from the first
// byte of "BEGIN:VCARD" to the end of the line break after "END:VCARD".

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace borvanta::vcard {

enum class Version : std::uint8_t { V21, V30, V40 };

// A range [begin, end) of a text.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;

  [[nodiscard]] std::size_t size() const { return end - begin; }
  [[nodiscard]] std::string_view of(std::string_view text) const {
    return text.substr(begin, end - begin);
  }
};

struct Parameter {
  std::string name;  // upper case; for a bare value, the name it implies
  // Quotes removed, lists split at commas; views into the prefix of the line
  // the parameter was read from.
  std::vector<std::string_view> values;
  Span raw;           // in the line's prefix, without the ';' before it
  bool bare = false;  // a 2.1 value without a name (TEL;CELL)
};

// A value worked out from the rest of an object when first asked for. A copy
// starts empty and works it out again from its own object (the parameters
// point into the object's own text).
template <class T>
struct Lazy {
  Lazy() = default;
  Lazy(const Lazy&) {}
  Lazy& operator=(const Lazy&) {
    value.reset();
    return *this;
  }
  std::optional<T> value;
};

enum class ValueEncoding : std::uint8_t { None, QuotedPrintable, Base64 };

// The values of the parameters named `name` in a prefix without double
// quotes, one after the other, read as its Parameters would read them but
// without building them: most lookups need a value or two.
class PlainParamValues {
 public:
  PlainParamValues(std::string_view prefix, std::string_view name);
  // The next value; false after the last.
  bool next(std::string_view& value);

 private:
  std::string_view prefix_;
  std::string_view name_;
  std::size_t nextParam_;    // where the next parameter starts; npos: none
  std::string_view values_;  // the rest of the current parameter's values
  bool inValues_ = false;
};

// The texts of a line view its card's text store (ParsedCard::texts): they
// live as long as the card that read them.
struct ContentLine {
  Span raw;                    // every physical line of it, with their line breaks
  Span lineBreak;              // the break of its last physical line
  std::size_t lineNumber = 0;  // in the file, of its first physical line
  std::string_view prefix;     // unfolded group, name and parameters, before the ':'
  std::string_view group;      // "item1" of "item1.TEL", as written
  std::string_view name;       // upper case
  std::string_view value;      // unfolded, soft line breaks removed, still encoded and escaped
  int depth = 1;               // 2 or more inside a card embedded in this one (2.1 AGENT)
  bool folded = false;
  bool softBreaks = false;
  std::size_t longestPhysical = 0;  // longest physical line, without its break

  // The parameters, read from the prefix when first asked for (most lines
  // are never asked).
  [[nodiscard]] const std::vector<Parameter>& params() const;
  [[nodiscard]] ValueEncoding encoding() const;
  // The values of every parameter named `name` (TYPE), bare ones included.
  [[nodiscard]] std::vector<std::string_view> paramValues(std::string_view name) const;
  // The first of them; nothing when there is none.
  [[nodiscard]] std::optional<std::string_view> firstParamValue(std::string_view name) const;
  // True when `test` holds for one of them; they are tried in order.
  template <class Test>
  [[nodiscard]] bool anyParamValue(std::string_view paramName, Test test) const {
    if (!parsedParams.value && prefix.find('"') == std::string_view::npos) {
      PlainParamValues values(prefix, paramName);
      for (std::string_view each; values.next(each);) {
        if (test(each)) return true;
      }
      return false;
    }
    for (const Parameter& param : params()) {
      if (param.name != paramName) continue;
      for (std::string_view each : param.values) {
        if (test(each)) return true;
      }
    }
    return false;
  }
  [[nodiscard]] const Parameter* findParam(std::string_view name) const;
  // The TYPE values, upper case.
  [[nodiscard]] bool hasType(std::string_view type) const;
  [[nodiscard]] bool isOwn() const { return depth == 1; }

  mutable Lazy<std::vector<Parameter>> parsedParams;  // see params()
  mutable Lazy<ValueEncoding> knownEncoding;          // see encoding()
  mutable Lazy<std::uint8_t> commonTypes;             // see hasType()
};

// The transfer encoding the parameters name (ENCODING=QUOTED-PRINTABLE,
// BASE64 or B, bare ones included; the first that names one), or None.
[[nodiscard]] ValueEncoding encodingOf(const std::vector<Parameter>& params);
// The same for a prefix, reading as little of it as it can. Throws
// SyntaxError for parameters it cannot read.
[[nodiscard]] ValueEncoding encodingNamedIn(std::string_view prefix);

// Where the texts of a card's lines are kept: one block, filled once, so
// that reading a card allocates once for all of them.
class TextStore {
 public:
  TextStore() = default;
  explicit TextStore(std::size_t capacity)
      : bytes_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

  // A copy of `text` in the store. Throws std::length_error when the store
  // is full (its reader sized it for every text it keeps).
  std::string_view keep(std::string_view text);

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
};

struct ParsedCard {
  ParsedCard() = default;
  ParsedCard(ParsedCard&&) noexcept = default;
  ParsedCard& operator=(ParsedCard&&) noexcept = default;
  // The lines view `texts`: a copy would view the original's.
  ParsedCard(const ParsedCard&) = delete;
  ParsedCard& operator=(const ParsedCard&) = delete;

  Version version = Version::V30;
  std::vector<ContentLine> lines;  // BEGIN and END excluded
  Span beginLine;                  // the BEGIN:VCARD line with its break
  Span endLine;                    // the END:VCARD line with its break
  TextStore texts;                 // what the lines' texts view

  // The first own line named `name`.
  [[nodiscard]] const ContentLine* first(std::string_view name) const;
};

}  // namespace borvanta::vcard
