#include "backends/vcard/card_editor.h"

#include <algorithm>
#include <array>

#include "backends/vcard/card_parser.h"
#include "backends/vcard/card_style.h"
#include "backends/vcard/line_rewrite.h"
#include "backends/vcard/line_value.h"
#include "backends/vcard/property_map.h"
#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

namespace {

using om::ContactProperty;

// Where a line a card lacks goes: after the first of these lines the card
// has (the last one, for TEL), else before END:VCARD.
struct Placement {
  std::string_view lineName;
  std::array<std::string_view, 2> after;
};

constexpr Placement placements[] = {
    {"TEL", {"TEL", ""}},     {"X-EVOLUTION-FILE-AS", {"N", "FN"}},
    {"FN", {"N", "VERSION"}}, {"N", {"FN", "VERSION"}},
    {"ORG", {"TITLE", ""}},   {"TITLE", {"ORG", ""}},
};

// The TEL types a new line of a telephone property carries; voice lines
// say VOICE too in a card whose voice lines do.
struct NewTelTypes {
  ContactProperty property;
  std::string_view type;
  std::string_view second;  // empty for none
  bool voice;
};

constexpr NewTelTypes newTelTypes[] = {
    {ContactProperty::MobileTelephoneNumber, "CELL", "", true},
    {ContactProperty::HomeTelephoneNumber, "HOME", "", true},
    {ContactProperty::BusinessFaxNumber, "WORK", "FAX", false},
    {ContactProperty::BusinessTelephoneNumber, "WORK", "", true},
};

std::vector<std::string_view> telTypes(ContactProperty property, bool withVoice) {
  std::vector<std::string_view> types;
  for (const NewTelTypes& entry : newTelTypes) {
    if (entry.property != property) continue;
    types.push_back(entry.type);
    if (!entry.second.empty()) types.push_back(entry.second);
    if (entry.voice && withVoice) types.push_back("VOICE");
  }
  return types;
}

// The index of the line a new `lineName` line follows; npos: before END.
std::size_t anchorOf(const ParsedCard& card, std::string_view lineName) {
  for (const Placement& placement : placements) {
    if (placement.lineName != lineName) continue;
    for (std::string_view after : placement.after) {
      if (after.empty()) continue;
      std::size_t found = std::string::npos;
      for (std::size_t i = 0; i < card.lines.size(); ++i) {
        if (card.lines[i].isOwn() && card.lines[i].name == after) {
          found = i;
          if (after != "TEL") break;
        }
      }
      if (found != std::string::npos) return found;
    }
  }
  return std::string::npos;
}

struct NewLine {
  ContactProperty property;  // the first property that asked for it
  std::string_view lineName;
  LineParts parts;
};

struct Plan {
  std::vector<std::pair<std::size_t, LineParts>> rewrites;  // in line order
  std::vector<NewLine> additions;

  LineParts& rewriteOf(std::size_t line) {
    auto at =
        std::lower_bound(rewrites.begin(), rewrites.end(), line,
                         [](const auto& rewrite, std::size_t l) { return rewrite.first < l; });
    if (at == rewrites.end() || at->first != line) at = rewrites.emplace(at, line, LineParts{});
    return at->second;
  }
};

Plan planWrites(const ParsedCard& card, const std::vector<PropertyWrite>& writes) {
  Plan plan;
  for (const PropertyWrite& write : writes) {
    const PropertyMapping& mapping = mappingOf(write.property);
    if (const std::size_t line = findLine(card, mapping); line != std::string::npos) {
      setPart(plan.rewriteOf(line), mapping.component, write.value);
      continue;
    }
    // A TEL line belongs to one property; N and ORG lines gather components.
    NewLine* target = nullptr;
    for (NewLine& addition : plan.additions) {
      const bool same = mapping.lineName == "TEL" ? addition.property == write.property
                                                  : addition.lineName == mapping.lineName;
      if (same) target = &addition;
    }
    if (target == nullptr) {
      if (write.value.empty()) continue;  // absent reads as empty already
      target = &plan.additions.emplace_back(NewLine{write.property, mapping.lineName, {}});
    }
    setPart(target->parts, mapping.component, write.value);
  }
  return plan;
}

// `value` as a 3.0 or 4.0 text value holds it: these have one escape for a
// line break ("\\n"), which a carriage return, alone or before a line feed,
// is written as. A 2.1 line (and a tel: URI) holds every byte.
std::string asWritten(std::string_view value, Version version) {
  if (version == Version::V21 || value.find('\r') == std::string_view::npos) {
    return std::string(value);
  }
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
    out.push_back(value[i] == '\r' ? '\n' : value[i]);
  }
  return out;
}

// Reads `text` (one line written for `parts`) back as it reads inside the
// card and checks that it says what was written. Throws SyntaxError
// otherwise.
void verifyLine(std::string_view text, const ContentLine& model, const LineParts& parts,
                Version version, CharsetCodec& codec) {
  ParsedCard parsed;
  try {
    parsed = parseContentLines(text, version, model.lineNumber);
  } catch (const SyntaxError&) {
    parsed.lines.clear();
  }
  const ContentLine* line = parsed.lines.size() == 1 ? &parsed.lines[0] : nullptr;
  bool same = line != nullptr && line->name == model.name && line->group == model.group;
  for (const auto& [index, value] : parts) {
    if (!same) break;
    const std::string readBack =
        index < 0 ? lineText(*line, version, codec)
                  : lineComponent(*line, version, static_cast<std::size_t>(index), codec);
    same = readBack == value || readBack == asWritten(value, version);
  }
  if (!same) throw SyntaxError(model.lineNumber, "고쳐 쓴 줄을 다시 읽을 수 없습니다");
}

// An emptied File As goes away, so that programs that read it fall back to
// their own order; but not when the card has a later File As line, which
// would then be read in its place: the line stays, with an empty value.
bool removes(const ParsedCard& card, std::size_t index, const LineParts& parts) {
  if (card.lines[index].name != "X-EVOLUTION-FILE-AS" || !parts.begin()->second.empty()) {
    return false;
  }
  const PropertyMapping& mapping = mappingOf(ContactProperty::FileAs);
  for (std::size_t i = index + 1; i < card.lines.size(); ++i) {
    if (takesLine(mapping, card.lines[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> editCard(std::string_view cardText, std::size_t firstLineNumber,
                                    const std::vector<PropertyWrite>& writes) {
  CharsetCodec codec;
  return editCard(cardText, firstLineNumber, writes, codec);
}

std::optional<std::string> editCard(std::string_view cardText, std::size_t firstLineNumber,
                                    const std::vector<PropertyWrite>& writes, CharsetCodec& codec) {
  const ParsedCard card = parseCard(cardText, firstLineNumber);
  const Plan plan = planWrites(card, writes);
  StyleNeeds needs;
  needs.charsets = std::any_of(writes.begin(), writes.end(),
                               [](const PropertyWrite& write) { return !isAscii(write.value); });
  needs.telephones =
      std::any_of(plan.additions.begin(), plan.additions.end(),
                  [](const NewLine& addition) { return addition.lineName == "TEL"; });
  const CardStyle style = styleOf(cardText, card, codec, needs);

  std::vector<std::pair<std::size_t, std::string>> replaced;  // in line order
  for (const auto& [index, parts] : plan.rewrites) {
    const ContentLine& line = card.lines[index];
    if (removes(card, index, parts)) {
      if (!lineText(line, card.version, codec).empty()) replaced.emplace_back(index, std::string());
    } else if (std::optional<std::string> text = rewriteLine(cardText, line, parts, style, codec)) {
      verifyLine(*text, line, parts, card.version, codec);
      replaced.emplace_back(index, std::move(*text));
    }
  }
  // After which line each new line goes (npos: before END), in line order.
  std::vector<std::pair<std::size_t, std::string>> added;
  for (const NewLine& addition : plan.additions) {
    const std::size_t anchor = anchorOf(card, addition.lineName);
    const Span lineBreak = anchor != std::string::npos ? card.lines[anchor].lineBreak
                           : card.lines.empty() ? Span{card.beginLine.end, card.beginLine.end}
                                                : card.lines.back().lineBreak;
    std::string_view breakText = lineBreak.of(cardText);
    if (breakText.empty()) breakText = "\r\n";
    const std::string text =
        newLine(addition.lineName, telTypes(addition.property, style.tel.withVoice), addition.parts,
                style, breakText, codec);
    ContentLine model;
    model.name = addition.lineName;
    model.lineNumber = firstLineNumber;
    verifyLine(text, model, addition.parts, card.version, codec);
    auto at = std::lower_bound(added.begin(), added.end(), anchor,
                               [](const auto& entry, std::size_t a) { return entry.first < a; });
    if (at == added.end() || at->first != anchor) at = added.emplace(at, anchor, std::string());
    at->second += text;
  }
  if (replaced.empty() && added.empty()) return std::nullopt;

  // A book keeps every edited card until it folds them in: the text gets
  // exactly its own size.
  std::size_t size = cardText.size();
  for (const auto& [index, text] : replaced)
    size = size - card.lines[index].raw.size() + text.size();
  for (const auto& [anchor, text] : added)
    size += text.size();
  std::string out;
  out.reserve(size);
  std::size_t copied = 0;
  auto nextReplaced = replaced.begin();
  auto nextAdded = added.begin();
  for (std::size_t i = 0; i < card.lines.size(); ++i) {
    const ContentLine& line = card.lines[i];
    if (nextReplaced != replaced.end() && nextReplaced->first == i) {
      out.append(cardText.substr(copied, line.raw.begin - copied));
      out.append(nextReplaced->second);
      copied = line.raw.end;
      ++nextReplaced;
    }
    if (nextAdded != added.end() && nextAdded->first == i) {
      out.append(cardText.substr(copied, line.raw.end - copied));
      copied = line.raw.end;
      out.append(nextAdded->second);
      ++nextAdded;
    }
  }
  if (nextAdded != added.end()) {  // the lines that go before END
    out.append(cardText.substr(copied, card.endLine.begin - copied));
    copied = card.endLine.begin;
    out.append(nextAdded->second);
  }
  out.append(cardText.substr(copied));
  return out;
}

}  // namespace borvanta::vcard
