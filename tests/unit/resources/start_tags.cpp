#include "tests/unit/resources/start_tags.h"

#include <cctype>

namespace borvanta::testing_support {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

class TagReader {
 public:
  TagReader(std::string_view html, std::size_t at) : html_(html), at_(at) {}

  // Reads the tag whose "<" is at the start position; nothing when it is not
  // a start tag (an end tag, a declaration, a stray "<").
  std::optional<StartTag> read() {
    StartTag tag;
    tag.offset = at_++;
    tag.name = lower(word());
    if (tag.name.empty()) return std::nullopt;
    for (;;) {
      skipSpace();
      if (at_ >= html_.size()) return std::nullopt;
      if (html_[at_] == '>' || html_.substr(at_, 2) == "/>") break;
      std::string name = lower(word());
      if (name.empty()) return std::nullopt;
      skipSpace();
      std::string value;
      if (at_ < html_.size() && html_[at_] == '=') {
        ++at_;
        skipSpace();
        value = attributeValue();
      }
      tag.attributes.emplace(std::move(name), std::move(value));
    }
    tag.end = html_.find('>', at_) + 1;
    return tag;
  }

 private:
  std::string word() {
    const std::size_t start = at_;
    while (at_ < html_.size() && !isSpace(html_[at_]) && html_[at_] != '>' && html_[at_] != '=' &&
           html_[at_] != '/')
      ++at_;
    return std::string(html_.substr(start, at_ - start));
  }

  std::string attributeValue() {
    if (at_ < html_.size() && (html_[at_] == '"' || html_[at_] == '\'')) {
      const char quote = html_[at_++];
      const std::size_t close = html_.find(quote, at_);
      std::string value(html_.substr(at_, close - at_));
      at_ = close == std::string_view::npos ? html_.size() : close + 1;
      return value;
    }
    const std::size_t start = at_;
    while (at_ < html_.size() && !isSpace(html_[at_]) && html_[at_] != '>')
      ++at_;
    return std::string(html_.substr(start, at_ - start));
  }

  void skipSpace() {
    while (at_ < html_.size() && isSpace(html_[at_]))
      ++at_;
  }

  std::string_view html_;
  std::size_t at_;
};

}  // namespace

std::optional<std::string> StartTag::get(const std::string& attribute) const {
  const auto found = attributes.find(attribute);
  if (found == attributes.end()) return std::nullopt;
  return found->second;
}

std::vector<StartTag> startTags(std::string_view html) {
  std::vector<StartTag> tags;
  std::size_t at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.substr(at, 4) == "<!--") {
      const std::size_t close = html.find("-->", at);
      if (close == std::string_view::npos) break;
      at = close + 3;
      continue;
    }
    std::optional<StartTag> tag = TagReader(html, at).read();
    if (tag) {
      at = tag->end;
      tags.push_back(std::move(*tag));
    } else {
      ++at;
    }
  }
  return tags;
}

std::string textAfter(std::string_view html, const StartTag& tag) {
  const std::size_t close = html.find('<', tag.end);
  std::string_view text = html.substr(tag.end, close - tag.end);
  while (!text.empty() && isSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back()))
    text.remove_suffix(1);
  return std::string(text);
}

}  // namespace borvanta::testing_support
