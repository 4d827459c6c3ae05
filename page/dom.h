#pragma once
// The part of the page's document object model that the program uses. Text on
// this side is UTF-8. Implemented over WebKit in the window and in memory for
// the command line and the tests.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ref.h"

namespace borvanta::dom {

class Element : public RefCounted {
 public:
  // Inserts HTML at `where` ("afterEnd", "beforeBegin", ...). Returns false
  // when the page refused it.
  virtual bool insertAdjacentHTML(std::string_view where, std::string_view html) = 0;
};

// <input> of any type: check box, radio button, text box.
class InputElement : public Element {
 public:
  [[nodiscard]] virtual bool checked() = 0;
  [[nodiscard]] virtual std::string value() = 0;
};

class SelectElement : public Element {
 public:
  [[nodiscard]] virtual std::string value() = 0;
};

class ImageElement : public Element {
 public:
  [[nodiscard]] virtual std::int32_t width() = 0;
  // Returns false when the page refused the change.
  virtual bool setWidth(std::int32_t width) = 0;
};

// The pointer position of the event being dispatched, in client coordinates.
struct PointerEvent {
  std::int32_t clientX = 0;
  std::int32_t clientY = 0;
};

class Document : public RefCounted {
 public:
  // The element with this id, of the class that matches its kind (an input
  // is an InputElement, ...); null when there is none.
  [[nodiscard]] virtual Ref<Element> getElementById(std::string_view id) = 0;
  // The window's current event (window.event), when one is being dispatched.
  [[nodiscard]] virtual std::optional<PointerEvent> currentEvent() = 0;
};

// The element as the interface `T`, or null when it is of another kind.
template <class T>
[[nodiscard]] Ref<T> elementAs(const Ref<Element>& element) {
  return Ref<T>(dynamic_cast<T*>(element.get()));
}

}  // namespace borvanta::dom
