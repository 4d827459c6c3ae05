#include "backends/vcard/line_rewrite.h"

#include <algorithm>
#include <vector>

#include "backends/vcard/codec.h"
#include "backends/vcard/line_layout.h"
#include "backends/vcard/line_value.h"
#include "backends/vcard/vcard_error.h"
#include "core/utf.h"

namespace borvanta::vcard {

namespace {

// A line being written: its prefix, and its value as escaped components,
// each either already in the line's character set or still UTF-8.
struct Draft {
  std::string prefix;
  std::vector<std::string> components;
  std::vector<bool> isUtf8;  // per component: still UTF-8
  Charset charset;
  ValueEncoding encoding = ValueEncoding::None;
  bool structured = false;
  bool untouchedAscii = true;    // the parts kept from the line are all ASCII
  bool implicitCharset = false;  // the set is the card's, named by no parameter
  CharsetCodec* codec = nullptr;
};

bool hasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string joined(const std::vector<std::string>& components) {
  std::string out;
  for (std::size_t k = 0; k < components.size(); ++k) {
    if (k > 0) out.push_back(';');
    out += components[k];
  }
  return out;
}

void addParam(Draft& draft, std::string_view param) {
  draft.prefix.push_back(';');
  draft.prefix.append(param);
}

// Turns every component into the draft's character set. When one cannot
// be held there, the whole line goes to UTF-8 and says so.
void settleCharset(Draft& draft, const Parameter* declared) {
  std::vector<std::string> encoded(draft.components.size());
  bool fits = true;
  for (std::size_t k = 0; k < draft.components.size() && fits; ++k) {
    if (!draft.isUtf8[k]) {
      encoded[k] = draft.components[k];
      continue;
    }
    std::optional<std::string> bytes = draft.codec->fromUtf8(draft.components[k], draft.charset);
    fits = bytes.has_value();
    if (fits) encoded[k] = std::move(*bytes);
  }
  if (fits && draft.implicitCharset && draft.charset.kind == CharsetKind::Cp949) {
    // A reader tells the set of a line that names none by its bytes, and
    // takes valid UTF-8 for UTF-8: code page 949 bytes that happen to be
    // valid UTF-8 would read as other characters. UTF-8 reads back as
    // written, and the parts kept from the line are ASCII.
    const std::string bytes = joined(encoded);
    if (!isAscii(bytes) && isValidUtf8(bytes)) {
      draft.charset = Charset{CharsetKind::Utf8, {}};
      return;
    }
  }
  if (fits) {
    draft.components = std::move(encoded);
    return;
  }
  for (std::size_t k = 0; k < draft.components.size(); ++k) {
    if (draft.isUtf8[k]) continue;
    std::optional<std::string> utf8 = draft.codec->toUtf8(draft.components[k], draft.charset);
    if (utf8) draft.components[k] = std::move(*utf8);
  }
  draft.charset = Charset{CharsetKind::Utf8, {}};
  if (declared == nullptr) {
    addParam(draft, "CHARSET=UTF-8");
    return;
  }
  const std::string_view raw = declared->raw.of(draft.prefix);
  const std::string replacement = std::string(raw.substr(0, raw.find('='))) + "=UTF-8";
  draft.prefix.replace(declared->raw.begin, declared->raw.size(), replacement);
}

bool allAscii(const Draft& draft) {
  for (const std::string& component : draft.components) {
    if (!isAscii(component)) return false;
  }
  return true;
}

bool fitsIn(const Draft& draft, const Charset& charset) {
  for (std::size_t k = 0; k < draft.components.size(); ++k) {
    if (draft.isUtf8[k] && !draft.codec->fromUtf8(draft.components[k], charset)) return false;
  }
  return true;
}

// A 2.1 line that names no character set and held only ASCII, given
// non-ASCII text: it takes the set (and quoted-printable) the card uses for
// such text, or UTF-8 when that set cannot hold the text.
void declareCharsetIfNeeded(Draft& draft, const CardStyle& style) {
  if (style.version != Version::V21 || style.charsetParam.empty() || allAscii(draft)) return;
  const std::string_view name = std::string_view(style.charsetParam).substr(8);
  const std::optional<Charset> styled = charsetNamed(name);
  draft.implicitCharset = false;
  if (styled && fitsIn(draft, *styled)) {
    addParam(draft, style.charsetParam);
    draft.charset = *styled;
  } else {
    addParam(draft, "CHARSET=UTF-8");
    draft.charset = Charset{CharsetKind::Utf8, {}};
  }
  if (style.textQuotedPrintable && draft.encoding == ValueEncoding::None) {
    addParam(draft, "ENCODING=QUOTED-PRINTABLE");
    draft.encoding = ValueEncoding::QuotedPrintable;
  }
}

std::string render(Draft& draft, const Parameter* declaredCharset, const CardStyle& style,
                   std::string_view lineBreak) {
  // A set chosen here holds the text, so settling cannot add a second one.
  if (declaredCharset == nullptr && draft.untouchedAscii) declareCharsetIfNeeded(draft, style);
  settleCharset(draft, declaredCharset);
  const std::string bytes = draft.structured ? joined(draft.components) : draft.components.at(0);
  if (style.version == Version::V21 && draft.encoding == ValueEncoding::None &&
      hasLineBreak(bytes)) {
    addParam(draft, "ENCODING=QUOTED-PRINTABLE");
    draft.encoding = ValueEncoding::QuotedPrintable;
  }
  std::string value;
  switch (draft.encoding) {
    case ValueEncoding::QuotedPrintable:
      value = encodeQuotedPrintable(bytes, style.qpEncodesSpaces);
      break;
    case ValueEncoding::Base64:
      value = encodeBase64(bytes);
      break;
    case ValueEncoding::None:
      value = bytes;
      break;
  }
  return layoutLine(draft.prefix, value, draft.encoding, draft.charset, style, lineBreak);
}

std::optional<std::string> rewriteTelUri(std::string_view cardText, const ContentLine& line,
                                         const LineValue& value, const LineParts& parts,
                                         const CardStyle& style, CharsetCodec& codec) {
  const TelUri old = parseTelUri(value.bytes());
  const std::string& number = parts.rbegin()->second;
  if (codec.toUtf8(old.number, value.charset) == number) return std::nullopt;
  // The number's bytes are percent-encoded in the character set the new line
  // is read with: the declared one, else the one its value gives, which
  // (the number being ASCII once encoded) its parameters decide.
  Charset charset = value.charset;
  if (!value.charsetDeclared) charset = codec.guess(old.parameters).value_or(value.charset);
  const std::optional<std::string> bytes = codec.fromUtf8(number, charset);
  if (!bytes) throw SyntaxError(line.lineNumber, "전화번호를 이 줄의 문자 집합으로 쓸 수 없습니다");
  Draft draft{std::string(line.prefix),
              {makeTelUri(*bytes, old.parameters)},
              {false},
              value.charset,
              line.encoding(),
              false,
              true,
              false,
              &codec};
  return render(draft, line.findParam("CHARSET"), style, line.lineBreak.of(cardText));
}

}  // namespace

void setPart(LineParts& parts, int component, std::string text) {
  auto at = std::lower_bound(parts.begin(), parts.end(), component,
                             [](const auto& part, int c) { return part.first < c; });
  if (at != parts.end() && at->first == component) {
    at->second = std::move(text);
  } else {
    parts.emplace(at, component, std::move(text));
  }
}

std::optional<std::string> rewriteLine(std::string_view cardText, const ContentLine& line,
                                       const LineParts& parts, const CardStyle& style,
                                       CharsetCodec& codec) {
  const LineValue value = decodeLineValue(line, codec);
  if (line.name == "TEL" && isUriValue(line, style.version) && isTelUri(value.bytes())) {
    return rewriteTelUri(cardText, line, value, parts, style, codec);
  }
  Draft draft;
  draft.codec = &codec;
  draft.prefix = line.prefix;
  draft.structured = parts.begin()->first >= 0;
  draft.encoding = line.encoding();
  draft.charset = value.charset;
  draft.untouchedAscii = isAscii(value.bytes());
  if (!value.charsetDeclared && draft.untouchedAscii) {
    draft.charset = style.implicitCharset;
    draft.implicitCharset = true;
  }
  if (draft.structured) {
    for (std::string_view component : splitComponents(value.bytes()))
      draft.components.emplace_back(component);
  } else {
    draft.components.emplace_back(value.bytes());
  }
  draft.isUtf8.assign(draft.components.size(), false);
  bool changed = false;
  for (const auto& [index, text] : parts) {
    const std::size_t k = index < 0 ? 0 : static_cast<std::size_t>(index);
    const std::string old =
        k < draft.components.size()
            ? textOf(draft.components[k], value, style.version, line.lineNumber, codec)
            : std::string();
    if (old == text) continue;
    changed = true;
    if (k >= draft.components.size()) {
      draft.components.resize(k + 1);
      draft.isUtf8.resize(k + 1, true);
    }
    draft.components[k] = escapeText(text, style.version, draft.structured);
    draft.isUtf8[k] = true;
  }
  if (!changed) return std::nullopt;
  return render(draft, line.findParam("CHARSET"), style, line.lineBreak.of(cardText));
}

std::string newLine(std::string_view name, const std::vector<std::string_view>& types,
                    const LineParts& parts, const CardStyle& style, std::string_view lineBreak,
                    CharsetCodec& codec) {
  Draft draft;
  draft.codec = &codec;
  draft.prefix = std::string(name);
  draft.charset = style.implicitCharset;
  draft.implicitCharset = true;
  draft.structured = parts.begin()->first >= 0;
  const bool uri = name == "TEL" && style.tel.uri;
  if (uri) addParam(draft, "VALUE=uri");
  const TelStyle& tel = style.tel;
  std::string list;
  for (std::string_view type : types) {
    std::string written(type);
    if (tel.lowerCase) {
      for (char& c : written)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (tel.form == TelStyle::Form::Bare) {
      addParam(draft, written);
    } else if (tel.form == TelStyle::Form::Repeated) {
      addParam(draft, tel.paramName + "=" + written);
    } else {
      list += (list.empty() ? "" : ",") + written;
    }
  }
  if (!list.empty()) {
    const bool quote = tel.quoted && list.find(',') != std::string::npos;
    addParam(draft, tel.paramName + "=" + (quote ? "\"" + list + "\"" : list));
  }
  const std::size_t count =
      draft.structured ? static_cast<std::size_t>(parts.rbegin()->first) + 1 : 1;
  draft.components.assign(name == "N" ? std::max<std::size_t>(count, 5) : count, std::string());
  draft.isUtf8.assign(draft.components.size(), true);
  for (const auto& [index, text] : parts) {
    const std::size_t k = index < 0 ? 0 : static_cast<std::size_t>(index);
    draft.components[k] =
        uri ? makeTelUri(text, "") : escapeText(text, style.version, draft.structured);
  }
  return render(draft, nullptr, style, lineBreak);
}

}  // namespace borvanta::vcard
