#include "backends/vcard/physical_lines.h"

namespace borvanta::vcard {

namespace {

bool isSpaceOrTab(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool PhysicalLine::isBlank(std::string_view text) const {
  for (char c : content(text)) {
    if (!isSpaceOrTab(c)) return false;
  }
  return true;
}

LineCursor::LineCursor(std::string_view text, std::size_t from)
    : text_(text), position_(from), breaksAtLineFeed_(text.find('\n') != std::string_view::npos) {}

bool LineCursor::next(PhysicalLine& line) {
  if (position_ >= text_.size()) return false;
  line.begin = position_;
  if (breaksAtLineFeed_) {
    const std::size_t feed = text_.find('\n', position_);
    line.end = feed == std::string_view::npos ? text_.size() : feed + 1;
    std::size_t contentEnd = feed == std::string_view::npos ? text_.size() : feed;
    while (contentEnd > line.begin && text_[contentEnd - 1] == '\r')
      --contentEnd;
    line.contentEnd = contentEnd;
  } else {
    const std::size_t ret = text_.find('\r', position_);
    line.contentEnd = ret == std::string_view::npos ? text_.size() : ret;
    line.end = ret == std::string_view::npos ? text_.size() : ret + 1;
  }
  position_ = line.end;
  return true;
}

bool isCardDelimiter(std::string_view content, std::string_view keyword) {
  while (!content.empty() && isSpaceOrTab(content.back()))
    content.remove_suffix(1);
  if (content.size() != keyword.size() + 6) return false;
  return startsWithIgnoringCase(content, keyword) && content[keyword.size()] == ':' &&
         equalsIgnoringCase(content.substr(keyword.size() + 1), "VCARD");
}

}  // namespace borvanta::vcard
