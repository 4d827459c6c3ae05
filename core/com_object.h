#pragma once
// The base of every object of an object model the program drives: counted,
// able to answer for the interfaces it implements, and able to describe its
// last failure.

#include <optional>
#include <string>

#include "core/guid.h"
#include "core/hresult.h"
#include "core/ref.h"

namespace borvanta {

// What a call yields: its result code and, on success, its value.
template <class T>
struct [[nodiscard]] Result {
  HRESULT hr = E_FAIL;
  T value{};

  [[nodiscard]] bool ok() const { return succeeded(hr); }
};

class ComObject : public RefCounted {
 public:
  // Asks the object for one of its interfaces. An object that does not
  // implement the interface answers E_NOINTERFACE.
  [[nodiscard]] virtual Result<Ref<ComObject>> queryInterface(const Guid& iid) {
    if (iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }

  // The description of the object's last failed call made through interface
  // `iid`, when the object gives one.
  [[nodiscard]] virtual std::optional<std::u16string> errorDescription(const Guid& iid) const {
    (void)iid;
    return std::nullopt;
  }
};

// Queries `object` for the interface class T (which names its id as T::interfaceId).
template <class T>
[[nodiscard]] Result<Ref<T>> queryAs(ComObject& object) {
  Result<Ref<ComObject>> answer = object.queryInterface(T::interfaceId);
  if (failed(answer.hr)) return {answer.hr, nullptr};
  T* typed = dynamic_cast<T*>(answer.value.get());
  if (typed == nullptr) return {E_NOINTERFACE, nullptr};
  return {answer.hr, Ref<T>(typed)};
}

}  // namespace borvanta
