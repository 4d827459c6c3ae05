#include "backends/vcard/card.h"

#include "backends/vcard/card_parser.h"
#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

std::string_view trimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// False when the prefix certainly names no transfer encoding, found without
// reading its parameters: most lines have none, or only types.
bool mayNameAnEncoding(std::string_view prefix) {
  if (prefix.find(';') == std::string_view::npos) return false;  // no parameters at all
  char upper[256];
  if (prefix.size() > sizeof upper) return true;  // read the parameters to know
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = prefix[i];
    upper[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  const std::string_view text(upper, prefix.size());
  return text.find("ENCODING") != std::string_view::npos ||
         text.find("QUOTED-PRINTABLE") != std::string_view::npos ||
         text.find("BASE64") != std::string_view::npos ||
         text.find(";B;") != std::string_view::npos || text.ends_with(";B");
}

}  // namespace

PlainParamValues::PlainParamValues(std::string_view prefix, std::string_view name)
    : prefix_(prefix), name_(name), nextParam_(prefix.find(';')) {
  if (nextParam_ != std::string_view::npos) ++nextParam_;
}

bool PlainParamValues::next(std::string_view& value) {
  for (;;) {
    if (inValues_) {
      const std::size_t comma = values_.find(',');
      value = trimSpaces(values_.substr(0, comma));
      inValues_ = comma != std::string_view::npos;
      if (inValues_) values_.remove_prefix(comma + 1);
      return true;
    }
    if (nextParam_ == std::string_view::npos) return false;
    const std::size_t end = prefix_.find(';', nextParam_);
    const std::string_view param = prefix_.substr(nextParam_, end - nextParam_);
    nextParam_ = end == std::string_view::npos ? end : end + 1;
    const std::string_view trimmed = trimSpaces(param);
    if (trimmed.empty()) continue;
    const std::size_t equals = param.find('=');
    const bool named = equals != std::string_view::npos;
    // A bare 2.1 value (TEL;CELL) names its parameter by what it is.
    const std::string_view name =
        named ? trimSpaces(param.substr(0, equals)) : impliedParamName(trimmed);
    if (!equalsIgnoringCase(name, name_)) continue;
    values_ = named ? param.substr(equals + 1) : trimmed;
    inValues_ = true;
  }
}

const std::vector<Parameter>& ContentLine::params() const {
  if (!parsedParams.value) {
    // A prefix without ';' is a name alone (the reader checked it).
    if (prefix.find(';') == std::string::npos) {
      parsedParams.value.emplace();
    } else {
      parsedParams.value = parsePrefix(prefix).params;
    }
  }
  return *parsedParams.value;
}

ValueEncoding ContentLine::encoding() const {
  std::optional<ValueEncoding>& known = knownEncoding.value;
  if (known) return *known;
  known = ValueEncoding::None;
  if (!mayNameAnEncoding(prefix)) return *known;
  (void)anyParamValue("ENCODING", [&](std::string_view written) {
    if (equalsIgnoringCase(written, "QUOTED-PRINTABLE")) {
      known = ValueEncoding::QuotedPrintable;
    } else if (equalsIgnoringCase(written, "BASE64") || equalsIgnoringCase(written, "B")) {
      known = ValueEncoding::Base64;
    } else {
      return false;
    }
    return true;
  });
  return *known;
}

std::vector<std::string_view> ContentLine::paramValues(std::string_view paramName) const {
  std::vector<std::string_view> values;
  for (const Parameter& param : params()) {
    if (param.name != paramName) continue;
    values.insert(values.end(), param.values.begin(), param.values.end());
  }
  return values;
}

std::optional<std::string_view> ContentLine::firstParamValue(std::string_view paramName) const {
  std::optional<std::string_view> first;
  (void)anyParamValue(paramName, [&](std::string_view each) {
    first = each;
    return true;
  });
  return first;
}

const Parameter* ContentLine::findParam(std::string_view paramName) const {
  for (const Parameter& param : params()) {
    if (param.name == paramName) return &param;
  }
  return nullptr;
}

bool ContentLine::hasType(std::string_view type) const {
  return anyParamValue("TYPE",
                       [&](std::string_view each) { return equalsIgnoringCase(each, type); });
}

const ContentLine* ParsedCard::first(std::string_view lineName) const {
  for (const ContentLine& line : lines) {
    if (line.isOwn() && line.name == lineName) return &line;
  }
  return nullptr;
}

}  // namespace borvanta::vcard
