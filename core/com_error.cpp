#include "core/com_error.h"

#include "core/text.h"
#include "core/utf.h"

namespace borvanta {

_com_error::_com_error(HRESULT hr, Guid iid, std::optional<std::u16string> description)
    : hr_(hr), iid_(iid), description_(std::move(description)) {
  what_ = "error " + hresultText(hr_);
  if (description_) what_ += ": " + utf16ToUtf8(*description_);
}

void raiseOnFailure(HRESULT hr, const ComObject* object, const Guid& iid) {
  if (succeeded(hr)) return;
  std::optional<std::u16string> description;
  if (object != nullptr) description = object->errorDescription(iid);
  throw _com_error(hr, iid, std::move(description));
}

std::string hresultText(HRESULT hr) {
  return formatText("0x%08X", static_cast<unsigned>(hr));
}

}  // namespace borvanta
