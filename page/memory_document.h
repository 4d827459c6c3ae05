#pragma once
// A document held in memory: the page of the command line, and the page the
// tests drive. Elements are declared with their id and kind; HTML inserted
// next to an element is kept as text, newest first.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "page/dom.h"

namespace borvanta {

class MemoryDocument : public dom::Document {
 public:
  MemoryDocument();
  ~MemoryDocument() override;

  // Declaring the page. A later declaration of the same id replaces it.
  void addElement(const std::string& id);  // a plain element (the log)
  void addCheckBox(const std::string& id, bool checked);
  void addRadio(const std::string& id, bool checked);
  void addTextBox(const std::string& id, std::string value);
  void addSelect(const std::string& id, std::string value);
  void addImage(const std::string& id, std::int32_t width);

  // Changing controls as a user would.
  void setChecked(const std::string& id, bool checked);
  void setValue(const std::string& id, std::string value);
  // What the page shows.
  [[nodiscard]] std::int32_t imageWidth(const std::string& id) const;
  // Every width the image was given since it was declared, in order.
  [[nodiscard]] std::vector<std::int32_t> widthHistory(const std::string& id) const;
  // The HTML inserted right after the element, in page order (newest first).
  [[nodiscard]] std::vector<std::string> insertedAfter(const std::string& id) const;
  // Every insertion after the element, in the order it was made.
  [[nodiscard]] std::vector<std::string> insertionsInOrder(const std::string& id) const;

  // The page refuses every insertion and width change from now on.
  void refuseChanges(bool refuse);
  void setCurrentEvent(std::optional<dom::PointerEvent> event) { event_ = event; }

  Ref<dom::Element> getElementById(std::string_view id) override;
  std::optional<dom::PointerEvent> currentEvent() override { return event_; }

  struct State;  // the elements' state, shared with the element objects

 private:
  std::shared_ptr<State> state_;
  std::optional<dom::PointerEvent> event_;
};

}  // namespace borvanta
