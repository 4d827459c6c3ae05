#include "backends/vcard/card.h"

#include <algorithm>
#include <stdexcept>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

// The transfer encoding an ENCODING value names; nothing for another value.
std::optional<ValueEncoding> encodingNamed(std::string_view value) {
  if (equalsIgnoringCase(value, "QUOTED-PRINTABLE")) return ValueEncoding::QuotedPrintable;
  if (equalsIgnoringCase(value, "BASE64") || equalsIgnoringCase(value, "B")) {
    return ValueEncoding::Base64;
  }
  return std::nullopt;
}

}  // namespace

ValueEncoding encodingOf(const std::vector<Parameter>& params) {
  for (const Parameter& param : params) {
    if (param.name != "ENCODING") continue;
    for (std::string_view value : param.values) {
      if (const std::optional<ValueEncoding> named = encodingNamed(value)) return *named;
    }
  }
  return ValueEncoding::None;
}

ValueEncoding encodingNamedIn(std::string_view prefix) {
  const std::size_t semicolon = findByte(prefix, ';');
  if (semicolon == std::string_view::npos) return ValueEncoding::None;  // no parameters
  if (findByte(prefix, '"', semicolon) != std::string_view::npos) {
    return encodingOf(parsePrefix(prefix).params);
  }
  // A plain prefix, walked once: ENCODING=... values, and bare values that
  // name an encoding (2.1: N;QUOTED-PRINTABLE), the first that names one.
  for (std::size_t start = semicolon + 1; start <= prefix.size();) {
    std::size_t end = findByte(prefix, ';', start);
    if (end == std::string_view::npos) end = prefix.size();
    const std::string_view param = prefix.substr(start, end - start);
    start = end + 1;
    const std::size_t equals = findByte(param, '=');
    if (equals == std::string_view::npos) {
      if (const std::optional<ValueEncoding> named = encodingNamed(trimSpaces(param)))
        return *named;
      continue;
    }
    if (!equalsIgnoringCase(trimSpaces(param.substr(0, equals)), "ENCODING")) continue;
    for (std::string_view values = param.substr(equals + 1);;) {
      const std::size_t comma = findByte(values, ',');
      if (const std::optional<ValueEncoding> named =
              encodingNamed(trimSpaces(values.substr(0, comma)))) {
        return *named;
      }
      if (comma == std::string_view::npos) break;
      values.remove_prefix(comma + 1);
    }
  }
  return ValueEncoding::None;
}

std::string_view TextStore::keep(std::string_view text) {
  if (capacity_ - used_ < text.size()) throw std::length_error("card text store is full");
  char* at = bytes_.get() + used_;
  std::copy(text.begin(), text.end(), at);
  used_ += text.size();
  return {at, text.size()};
}

PlainParamValues::PlainParamValues(std::string_view prefix, std::string_view name)
    : prefix_(prefix), name_(name), nextParam_(findByte(prefix, ';')) {
  if (nextParam_ != std::string_view::npos) ++nextParam_;
}

bool PlainParamValues::next(std::string_view& value) {
  for (;;) {
    if (inValues_) {
      const std::size_t comma = findByte(values_, ',');
      value = trimSpaces(values_.substr(0, comma));
      inValues_ = comma != std::string_view::npos;
      if (inValues_) values_.remove_prefix(comma + 1);
      return true;
    }
    if (nextParam_ == std::string_view::npos) return false;
    const std::size_t end = findByte(prefix_, ';', nextParam_);
    const std::string_view param = prefix_.substr(nextParam_, end - nextParam_);
    nextParam_ = end == std::string_view::npos ? end : end + 1;
    const std::string_view trimmed = trimSpaces(param);
    if (trimmed.empty()) continue;
    const std::size_t equals = findByte(param, '=');
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
    if (findByte(prefix, ';') == std::string_view::npos) {
      parsedParams.value.emplace();
    } else {
      parsedParams.value = parsePrefix(prefix).params;
    }
  }
  return *parsedParams.value;
}

ValueEncoding ContentLine::encoding() const {
  std::optional<ValueEncoding>& known = knownEncoding.value;
  if (!known)
    known = parsedParams.value ? encodingOf(*parsedParams.value) : encodingNamedIn(prefix);
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

namespace {

// The types telephone lines are told apart by: each line learns once which
// of them it has.
constexpr std::string_view kCommonTypes[] = {"CELL", "HOME", "WORK", "FAX", "VOICE"};

}  // namespace

bool ContentLine::hasType(std::string_view type) const {
  const auto common = std::find(std::begin(kCommonTypes), std::end(kCommonTypes), type);
  if (common == std::end(kCommonTypes)) {
    return anyParamValue("TYPE",
                         [&](std::string_view each) { return equalsIgnoringCase(each, type); });
  }
  std::optional<std::uint8_t>& mask = commonTypes.value;
  if (!mask) {
    std::uint8_t bits = 0;
    (void)anyParamValue("TYPE", [&](std::string_view each) {
      for (std::size_t k = 0; k < std::size(kCommonTypes); ++k) {
        if (equalsIgnoringCase(each, kCommonTypes[k])) bits |= static_cast<std::uint8_t>(1u << k);
      }
      return false;  // every value
    });
    mask = bits;
  }
  const auto bit = static_cast<std::size_t>(common - std::begin(kCommonTypes));
  return (*mask & (1u << bit)) != 0;
}

const ContentLine* ParsedCard::first(std::string_view lineName) const {
  for (const ContentLine& line : lines) {
    if (line.isOwn() && line.name == lineName) return &line;
  }
  return nullptr;
}

}  // namespace borvanta::vcard
