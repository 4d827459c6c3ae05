#pragma once
// The error a failed object-model call raises: its code, the interface of the
// object the call was made on, and the object's description of the failure.

#include <exception>
#include <optional>
#include <string>

#include "core/com_object.h"

namespace borvanta {

class _com_error : public std::exception {  // NOLINT: the conventional name
 public:
  explicit _com_error(HRESULT hr, Guid iid = {}, std::optional<std::u16string> description = {});

  [[nodiscard]] HRESULT Error() const noexcept { return hr_; }
  [[nodiscard]] const Guid& interfaceId() const noexcept { return iid_; }
  [[nodiscard]] const std::optional<std::u16string>& Description() const noexcept {
    return description_;
  }
  [[nodiscard]] const char* what() const noexcept override { return what_.c_str(); }

 private:
  HRESULT hr_;
  Guid iid_;
  std::optional<std::u16string> description_;
  std::string what_;
};

// Raises the error of a failed call `hr` made on `object` through interface
// `iid`, with the description the object gives; does nothing on success.
// `object` may be null (a call on an empty reference).
void raiseOnFailure(HRESULT hr, const ComObject* object, const Guid& iid);

// "0x80004003"
[[nodiscard]] std::string hresultText(HRESULT hr);

}  // namespace borvanta
