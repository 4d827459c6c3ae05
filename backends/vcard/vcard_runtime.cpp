#include "backends/vcard/vcard_runtime.h"

#include "backends/vcard/om_objects.h"
#include "backends/vcard/session.h"

namespace borvanta::vcard {

VcardRuntime::VcardRuntime(RuntimeOptions options)
    : session_(makeRef<Session>(std::move(options))) {}

VcardRuntime::~VcardRuntime() {
  session_->close();
}

Result<Ref<ComObject>> VcardRuntime::createInstance(const Guid& clsid) {
  if (clsid != om::CLSID_Application) return {REGDB_E_CLASSNOTREG, nullptr};
  if (session_->isClosed()) return {E_UNEXPECTED, nullptr};
  return {S_OK, makeRef<VcardApplication>(session_)};
}

HRESULT VcardRuntime::run(ComObject& object) {
  return dynamic_cast<VcardApplication*>(&object) != nullptr ? S_OK : E_INVALIDARG;
}

FlushResult VcardRuntime::flush() {
  return session_->flush();
}

std::vector<ContactChanges> VcardRuntime::dryRunChanges() const {
  return session_->changes();
}

}  // namespace borvanta::vcard
