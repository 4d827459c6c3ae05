#pragma once
// Everything the clean-up job does with the page: reading the controls by
// element id, appending log lines below the log element, setting the width of
// the progress image, and pumping messages while a run is busy. Text is code
// page 949 on this side and UTF-8 on the page's.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/cp949.h"
#include "page/dom.h"
#include "page/message_loop.h"

namespace borvanta {

// An element of the page contract is missing or of another kind.
class PageContractError : public std::runtime_error {
 public:
  explicit PageContractError(std::string elementId);
  // The id of the element, narrow text.
  [[nodiscard]] const std::string& elementId() const noexcept { return elementId_; }

 private:
  std::string elementId_;
};

class PageBridge {
 public:
  explicit PageBridge(MessageLoop& loop);

  // The document of the page that asked for a run; replaces the previous one.
  void setDocument(Ref<dom::Document> document);
  [[nodiscard]] const Ref<dom::Document>& document() const { return document_; }

  // Finds "idLog" and "idProgress" and takes the image's present width as its
  // full width. Throws PageContractError when either is missing or the
  // progress element is no image; the bridge is then attached to nothing.
  void attach();

  // The readers throw PageContractError when the element is missing or not
  // of the kind read.
  [[nodiscard]] std::int32_t readCheck(std::string_view id);
  [[nodiscard]] Cp949Text readText(std::string_view id);
  [[nodiscard]] std::int32_t readSelectNumber(std::string_view id);
  [[nodiscard]] Cp949Text readSelectValue(std::string_view id);

  // Inserts `line` + "<BR>" right after the log element: the newest line is
  // shown first. The line is HTML and is not escaped here. A line the page
  // refuses is lost; nothing happens before the first successful attach.
  void appendLog(std::string_view line);
  // Sets the progress image to `percent` of its full width, truncated toward
  // zero. A width the page refuses is lost.
  void setProgress(std::int32_t percent);
  // Dispatches every pending message, again and again, until the tick count
  // has advanced by at least 2, pausing 1 ms once in every 10002 iterations
  // (counted across calls). Returns at once on a loop without a window.
  void pumpMessages();

  [[nodiscard]] std::int32_t fullWidth() const { return fullWidth_; }

 private:
  MessageLoop& loop_;
  Ref<dom::Document> document_;
  Ref<dom::Element> log_;
  Ref<dom::ImageElement> progress_;
  std::int32_t fullWidth_ = 0;
  std::int32_t pumpCounter_ = 0;  // loop iterations since the last pause
  Cp949Converter cp949_;          // every log line crosses it
};

// The leading decimal integer of `text`: white space skipped, an optional
// sign, digits up to the first other character; 0 when there is no number.
// Saturates at the limits of a 32-bit integer.
[[nodiscard]] std::int32_t leadingInteger(std::string_view text);

}  // namespace borvanta
