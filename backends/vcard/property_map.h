#pragma once
// Where each contact property lives in a card. FirstName and LastName are the
// given and family components of N; CompanyName and Department the first two
// components of ORG; JobTitle is TITLE; FileAs is X-EVOLUTION-FILE-AS (which
// Evolution and GNOME read); FullName is FN; the four telephone numbers are
// the first TEL whose types match.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "backends/vcard/card.h"
#include "backends/vcard/charset.h"
#include "outlook/object_model.h"

namespace borvanta::vcard {

inline constexpr std::size_t kPropertyCount = 11;

// Which TEL lines a telephone property takes: every type of `required`, and
// not `excluded` (empty: no exclusion).
struct TelTypes {
  std::array<std::string_view, 2> required;
  std::string_view excluded;
};

struct PropertyMapping {
  om::ContactProperty property;
  std::string_view lineName;  // "N", "ORG", "TEL", ...
  int component;              // of a structured value; -1 for the whole value
  TelTypes tel;               // for TEL only
};

[[nodiscard]] const PropertyMapping& mappingOf(om::ContactProperty property);
[[nodiscard]] std::size_t indexOf(om::ContactProperty property);

// True when the TEL `line` is one the mapping takes.
[[nodiscard]] bool takesLine(const PropertyMapping& mapping, const ContentLine& line);
// The index in `card.lines` of the line that holds the property, or npos.
[[nodiscard]] std::size_t findLine(const ParsedCard& card, const PropertyMapping& mapping);

// The eleven properties of a card, UTF-8, indexed by indexOf.
using ContactValues = std::array<std::string, kPropertyCount>;

// Reads the eleven properties. Throws SyntaxError when a line that holds one
// cannot be read.
[[nodiscard]] ContactValues readValues(const ParsedCard& card, CharsetCodec& codec);
[[nodiscard]] ContactValues readValues(const ParsedCard& card);

// A group or list card (KIND:group, X-ADDRESSBOOKSERVER-KIND:group,
// X-EVOLUTION-LIST:TRUE): an item, but not a contact.
[[nodiscard]] bool isGroupCard(const ParsedCard& card);

// How a contact is named in a list of changes: FN, else family and given
// name, else the company.
[[nodiscard]] std::string contactLabel(const ContactValues& values);

}  // namespace borvanta::vcard
