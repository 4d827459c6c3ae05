#include "page/page_bridge.h"

#include <algorithm>
#include <limits>

#include "core/text.h"

namespace borvanta {

PageContractError::PageContractError(std::string elementId)
    : std::runtime_error("the page has no usable element \"" + elementId + "\""),
      elementId_(std::move(elementId)) {}

PageBridge::PageBridge(MessageLoop& loop) : loop_(loop) {}

void PageBridge::setDocument(Ref<dom::Document> document) {
  document_ = std::move(document);
}

namespace {

Ref<dom::Element> lookUp(const Ref<dom::Document>& document, std::string_view id) {
  if (!document) throw PageContractError(std::string(id));
  Ref<dom::Element> element = document->getElementById(cp949ToUtf8(id));
  if (!element) throw PageContractError(std::string(id));
  return element;
}

template <class T>
Ref<T> lookUpAs(const Ref<dom::Document>& document, std::string_view id) {
  Ref<T> element = dom::elementAs<T>(lookUp(document, id));
  if (!element) throw PageContractError(std::string(id));
  return element;
}

}  // namespace

void PageBridge::attach() {
  // Nothing of the previous attach survives, whether or not this one works:
  // a page without its log or progress image is never written to.
  log_ = nullptr;
  progress_ = nullptr;
  fullWidth_ = 0;
  Ref<dom::Element> log = lookUp(document_, "idLog");
  Ref<dom::ImageElement> progress = lookUpAs<dom::ImageElement>(document_, "idProgress");
  fullWidth_ = progress->width();
  log_ = std::move(log);
  progress_ = std::move(progress);
}

std::int32_t PageBridge::readCheck(std::string_view id) {
  return lookUpAs<dom::InputElement>(document_, id)->checked() ? 1 : 0;
}

Cp949Text PageBridge::readText(std::string_view id) {
  return utf8ToCp949(lookUpAs<dom::InputElement>(document_, id)->value());
}

std::int32_t PageBridge::readSelectNumber(std::string_view id) {
  return leadingInteger(readSelectValue(id).text);
}

Cp949Text PageBridge::readSelectValue(std::string_view id) {
  return utf8ToCp949(lookUpAs<dom::SelectElement>(document_, id)->value());
}

void PageBridge::appendLog(std::string_view line) {
  if (!log_) return;
  // The line ends at its first NUL, like every text crossing to the page; the
  // break is added after that, so that every line keeps its own.
  std::string html = cp949_.toUtf8(line);
  html += "<BR>";
  // Whether the page took the line is not looked at: a refused line is lost
  // and the run goes on.
  (void)log_->insertAdjacentHTML("afterEnd", html);
}

void PageBridge::setProgress(std::int32_t percent) {
  if (!progress_) return;
  const double width = static_cast<double>(percent) / 100.0 * static_cast<double>(fullWidth_);
  // Percentages of 0 to 100 always fit; the clamp only keeps a stray value
  // from turning into undefined behaviour. The cast truncates toward zero.
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  (void)progress_->setWidth(static_cast<std::int32_t>(std::clamp(width, lowest, highest)));
}

void PageBridge::pumpMessages() {
  if (!loop_.hasWindow()) return;
  const std::uint32_t start = loop_.tickCount();
  for (;;) {
    loop_.dispatchPending();
    if (pumpCounter_ > 10000) {
      pumpCounter_ = 0;
      loop_.sleep(1);
    } else {
      ++pumpCounter_;
    }
    if (static_cast<std::int32_t>(loop_.tickCount() - start) >= 2) break;
  }
}

std::int32_t leadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isTrimmable(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), limit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, limit - 1));
}

}  // namespace borvanta
