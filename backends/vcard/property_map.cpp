#include "backends/vcard/property_map.h"

#include "backends/vcard/codec.h"
#include "backends/vcard/line_value.h"
#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

using om::ContactProperty;

constexpr PropertyMapping mappings[] = {
    {ContactProperty::FirstName, "N", 1, {}},
    {ContactProperty::LastName, "N", 0, {}},
    {ContactProperty::CompanyName, "ORG", 0, {}},
    {ContactProperty::FileAs, "X-EVOLUTION-FILE-AS", -1, {}},
    {ContactProperty::BusinessFaxNumber, "TEL", -1, {{"WORK", "FAX"}, ""}},
    {ContactProperty::BusinessTelephoneNumber, "TEL", -1, {{"WORK", ""}, "FAX"}},
    {ContactProperty::MobileTelephoneNumber, "TEL", -1, {{"CELL", ""}, ""}},
    {ContactProperty::HomeTelephoneNumber, "TEL", -1, {{"HOME", ""}, "FAX"}},
    {ContactProperty::JobTitle, "TITLE", -1, {}},
    {ContactProperty::Department, "ORG", 1, {}},
    {ContactProperty::FullName, "FN", -1, {}},
};

struct GroupMarker {
  std::string_view lineName;
  std::string_view value;
};

constexpr GroupMarker groupMarkers[] = {
    {"KIND", "group"},
    {"X-ADDRESSBOOKSERVER-KIND", "group"},
    {"X-EVOLUTION-LIST", "TRUE"},
};

std::string_view trimmedValue(std::string_view value) {
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
    value.remove_suffix(1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
    value.remove_prefix(1);
  return value;
}

}  // namespace

std::size_t indexOf(ContactProperty property) {
  return static_cast<std::size_t>(property);
}

const PropertyMapping& mappingOf(ContactProperty property) {
  for (const PropertyMapping& mapping : mappings) {
    if (mapping.property == property) return mapping;
  }
  return mappings[0];
}

bool takesLine(const PropertyMapping& mapping, const ContentLine& line) {
  if (!line.isOwn() || line.name != mapping.lineName) return false;
  if (mapping.lineName != "TEL") return true;
  for (std::string_view type : mapping.tel.required) {
    if (!type.empty() && !line.hasType(type)) return false;
  }
  return mapping.tel.excluded.empty() || !line.hasType(mapping.tel.excluded);
}

std::size_t findLine(const ParsedCard& card, const PropertyMapping& mapping) {
  for (std::size_t i = 0; i < card.lines.size(); ++i) {
    if (takesLine(mapping, card.lines[i])) return i;
  }
  return std::string::npos;
}

ContactValues readValues(const ParsedCard& card) {
  CharsetCodec codec;
  return readValues(card, codec);
}

ContactValues readValues(const ParsedCard& card, CharsetCodec& codec) {
  ContactValues values;
  // N and ORG each hold two properties: their lines are decoded once.
  std::size_t decodedLine = std::string::npos;
  LineValue decoded;
  std::vector<std::string_view> components;
  for (const PropertyMapping& mapping : mappings) {
    const std::size_t found = findLine(card, mapping);
    if (found == std::string::npos) continue;
    const ContentLine& line = card.lines[found];
    if (mapping.component < 0) {
      values[indexOf(mapping.property)] = lineText(line, card.version, codec);
      continue;
    }
    if (decodedLine != found) {
      decoded = decodeLineValue(line, codec);
      components = splitComponents(decoded.bytes());
      decodedLine = found;
    }
    const auto component = static_cast<std::size_t>(mapping.component);
    if (component < components.size()) {
      values[indexOf(mapping.property)] =
          textOf(components[component], decoded, card.version, line.lineNumber, codec);
    }
  }
  return values;
}

bool isGroupCard(const ParsedCard& card) {
  for (const ContentLine& line : card.lines) {
    if (!line.isOwn()) continue;
    for (const GroupMarker& marker : groupMarkers) {
      if (line.name == marker.lineName &&
          equalsIgnoringCase(trimmedValue(line.value), marker.value)) {
        return true;
      }
    }
  }
  return false;
}

std::string contactLabel(const ContactValues& values) {
  const std::string& fullName = values[indexOf(ContactProperty::FullName)];
  if (!fullName.empty()) return fullName;
  std::string joined =
      values[indexOf(ContactProperty::LastName)] + values[indexOf(ContactProperty::FirstName)];
  if (!joined.empty()) return joined;
  return values[indexOf(ContactProperty::CompanyName)];
}

}  // namespace borvanta::vcard
