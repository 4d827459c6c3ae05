#include "backends/vcard/card.h"

#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

ValueEncoding ContentLine::encoding() const {
  for (std::string_view written : paramValues("ENCODING")) {
    if (equalsIgnoringCase(written, "QUOTED-PRINTABLE")) return ValueEncoding::QuotedPrintable;
    if (equalsIgnoringCase(written, "BASE64") || equalsIgnoringCase(written, "B")) {
      return ValueEncoding::Base64;
    }
  }
  return ValueEncoding::None;
}

std::vector<std::string_view> ContentLine::paramValues(std::string_view paramName) const {
  std::vector<std::string_view> values;
  for (const Parameter& param : params) {
    if (param.name != paramName) continue;
    for (const std::string& each : param.values)
      values.emplace_back(each);
  }
  return values;
}

const Parameter* ContentLine::findParam(std::string_view paramName) const {
  for (const Parameter& param : params) {
    if (param.name == paramName) return &param;
  }
  return nullptr;
}

bool ContentLine::hasType(std::string_view type) const {
  for (const Parameter& param : params) {
    if (param.name != "TYPE") continue;
    for (const std::string& each : param.values) {
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
