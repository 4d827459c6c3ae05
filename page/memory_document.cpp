#include "page/memory_document.h"

#include <stdexcept>

namespace borvanta {

namespace {

enum class Kind { Plain, CheckBox, Radio, TextBox, Select, Image };

struct ElementState {
  Kind kind = Kind::Plain;
  bool checked = false;
  std::string value;
  std::int32_t width = 0;
  std::vector<std::string> insertedAfter;  // in the order they were made
  std::vector<std::int32_t> widths;        // every width set, in order
};

}  // namespace

struct MemoryDocument::State {
  std::map<std::string, ElementState, std::less<>> elements;
  // Held here, not in the document, because element references may outlive
  // the document (the bridge keeps the log element until its next attach).
  bool refuseChanges = false;
};

namespace {

using State = MemoryDocument::State;

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// The element objects look their state up by id at every call, so that a
// reference stays valid while the page changes.
template <class Base>
class MemoryElement : public Base {
 public:
  MemoryElement(std::shared_ptr<State> state, std::string id)
      : state_(std::move(state)), id_(std::move(id)) {}

  bool insertAdjacentHTML(std::string_view where, std::string_view html) override {
    if (state_->refuseChanges) return false;
    // Only the position the log uses is modelled; the keyword is matched
    // without regard to case, as the page does.
    if (!equalsIgnoringAsciiCase(where, "afterend")) return false;
    self().insertedAfter.emplace_back(html);
    return true;
  }

 protected:
  ElementState& self() { return state_->elements.at(id_); }
  const State& state() const { return *state_; }

 private:
  std::shared_ptr<State> state_;
  std::string id_;
};

class PlainElement : public MemoryElement<dom::Element> {
  using MemoryElement::MemoryElement;
};

class InputElement : public MemoryElement<dom::InputElement> {
 public:
  using MemoryElement::MemoryElement;
  bool checked() override { return self().checked; }
  std::string value() override { return self().value; }
};

class SelectElement : public MemoryElement<dom::SelectElement> {
 public:
  using MemoryElement::MemoryElement;
  std::string value() override { return self().value; }
};

class ImageElement : public MemoryElement<dom::ImageElement> {
 public:
  using MemoryElement::MemoryElement;
  std::int32_t width() override { return self().width; }
  bool setWidth(std::int32_t width) override {
    if (state().refuseChanges) return false;
    self().width = width;
    self().widths.push_back(width);
    return true;
  }
};

}  // namespace

MemoryDocument::MemoryDocument() : state_(std::make_shared<State>()) {}

MemoryDocument::~MemoryDocument() = default;

void MemoryDocument::addElement(const std::string& id) {
  state_->elements[id] = {};
}

void MemoryDocument::addCheckBox(const std::string& id, bool checked) {
  state_->elements[id] = {Kind::CheckBox, checked, "on", 0, {}, {}};
}

void MemoryDocument::addRadio(const std::string& id, bool checked) {
  state_->elements[id] = {Kind::Radio, checked, "on", 0, {}, {}};
}

void MemoryDocument::addTextBox(const std::string& id, std::string value) {
  state_->elements[id] = {Kind::TextBox, false, std::move(value), 0, {}, {}};
}

void MemoryDocument::addSelect(const std::string& id, std::string value) {
  state_->elements[id] = {Kind::Select, false, std::move(value), 0, {}, {}};
}

void MemoryDocument::addImage(const std::string& id, std::int32_t width) {
  state_->elements[id] = {Kind::Image, false, {}, width, {}, {}};
}

void MemoryDocument::setChecked(const std::string& id, bool checked) {
  state_->elements.at(id).checked = checked;
}

void MemoryDocument::setValue(const std::string& id, std::string value) {
  state_->elements.at(id).value = std::move(value);
}

void MemoryDocument::refuseChanges(bool refuse) {
  state_->refuseChanges = refuse;
}

std::int32_t MemoryDocument::imageWidth(const std::string& id) const {
  return state_->elements.at(id).width;
}

std::vector<std::int32_t> MemoryDocument::widthHistory(const std::string& id) const {
  return state_->elements.at(id).widths;
}

std::vector<std::string> MemoryDocument::insertedAfter(const std::string& id) const {
  const auto& made = state_->elements.at(id).insertedAfter;
  return {made.rbegin(), made.rend()};
}

std::vector<std::string> MemoryDocument::insertionsInOrder(const std::string& id) const {
  return state_->elements.at(id).insertedAfter;
}

Ref<dom::Element> MemoryDocument::getElementById(std::string_view id) {
  const auto found = state_->elements.find(id);
  if (found == state_->elements.end()) return nullptr;
  std::string key(id);
  switch (found->second.kind) {
    case Kind::Plain:
      return makeRef<PlainElement>(state_, key);
    case Kind::CheckBox:
    case Kind::Radio:
    case Kind::TextBox:
      return makeRef<InputElement>(state_, key);
    case Kind::Select:
      return makeRef<SelectElement>(state_, key);
    case Kind::Image:
      return makeRef<ImageElement>(state_, key);
  }
  return nullptr;
}

}  // namespace borvanta
