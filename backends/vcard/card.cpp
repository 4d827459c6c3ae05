#include "backends/vcard/card.h"

#include "backends/vcard/card_parser.h"
#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (equalsIgnoringCase(text.substr(at, part.size()), part)) return true;
  }
  return false;
}

// False when the prefix certainly names no transfer encoding, found without
// reading its parameters.
bool mayNameAnEncoding(std::string_view prefix) {
  if (prefix.find(';') == std::string_view::npos) return false;  // no parameters at all
  return containsIgnoringCase(prefix, "ENCODING") ||
         containsIgnoringCase(prefix, "QUOTED-PRINTABLE") ||
         containsIgnoringCase(prefix, "BASE64") || containsIgnoringCase(prefix, ";B;") ||
         (prefix.size() >= 2 && equalsIgnoringCase(prefix.substr(prefix.size() - 2), ";B"));
}

}  // namespace

const std::vector<Parameter>& ContentLine::params() const {
  if (!parsedParams.value) parsedParams.value = parsePrefix(prefix).params;
  return *parsedParams.value;
}

ValueEncoding ContentLine::encoding() const {
  std::optional<ValueEncoding>& known = knownEncoding.value;
  if (known) return *known;
  known = ValueEncoding::None;
  if (!mayNameAnEncoding(prefix)) return *known;
  for (std::string_view written : paramValues("ENCODING")) {
    if (equalsIgnoringCase(written, "QUOTED-PRINTABLE")) {
      known = ValueEncoding::QuotedPrintable;
    } else if (equalsIgnoringCase(written, "BASE64") || equalsIgnoringCase(written, "B")) {
      known = ValueEncoding::Base64;
    } else {
      continue;
    }
    break;
  }
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

const Parameter* ContentLine::findParam(std::string_view paramName) const {
  for (const Parameter& param : params()) {
    if (param.name == paramName) return &param;
  }
  return nullptr;
}

bool ContentLine::hasType(std::string_view type) const {
  for (const Parameter& param : params()) {
    if (param.name != "TYPE") continue;
    for (std::string_view each : param.values) {
      if (equalsIgnoringCase(each, type)) return true;
    }
  }
  return false;
}

const ContentLine* ParsedCard::first(std::string_view lineName) const {
  for (const ContentLine& line : lines) {
    if (line.isOwn() && line.name == lineName) return &line;
  }
  return nullptr;
}

}  // namespace borvanta::vcard
