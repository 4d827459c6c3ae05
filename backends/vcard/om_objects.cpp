#include "backends/vcard/om_objects.h"

#include "core/utf.h"

namespace borvanta::vcard {

namespace {

template <class Interface>
Result<Ref<ComObject>> answer(ComObject* self, const Guid& iid) {
  if (iid == Interface::interfaceId || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(self)};
  return {E_NOINTERFACE, nullptr};
}

}  // namespace

template <class Base>
HRESULT Described<Base>::fail(const Guid& iid, const VcardError& error) {
  return fail(iid, error.hr(), error.description());
}

template <class Base>
HRESULT Described<Base>::fail(const Guid& iid, HRESULT hr, std::string_view description) {
  failedIid_ = iid;
  description_ = utf8ToUtf16(description);
  return hr;
}

Result<Ref<ComObject>> VcardApplication::queryInterface(const Guid& iid) {
  return answer<om::Application>(this, iid);
}

Result<Ref<om::NameSpace>> VcardApplication::getNamespace(std::u16string_view type) {
  if (type != u"MAPI") {
    return {fail(om::IID_Application, E_INVALIDARG, "주소록 이름 공간은 \"MAPI\"뿐입니다."),
            nullptr};
  }
  return {S_OK, makeRef<VcardNameSpace>(session_)};
}

Result<Ref<ComObject>> VcardNameSpace::queryInterface(const Guid& iid) {
  return answer<om::NameSpace>(this, iid);
}

Result<Ref<om::MAPIFolder>> VcardNameSpace::folderOf(const std::filesystem::path& file) {
  try {
    return {S_OK, makeRef<VcardFolder>(session_->book(file))};
  } catch (const VcardError& error) {
    return {fail(om::IID_NameSpace, error), nullptr};
  }
}

Result<Ref<om::MAPIFolder>> VcardNameSpace::getDefaultFolder(std::int32_t folderType) {
  if (folderType != om::olFolderContacts) {
    return {fail(om::IID_NameSpace, E_INVALIDARG, "연락처 폴더(10)만 열 수 있습니다."), nullptr};
  }
  const std::optional<std::filesystem::path>& file = session_->options().defaultFile;
  if (!file) return {S_OK, nullptr};
  return folderOf(*file);
}

Result<Ref<om::MAPIFolder>> VcardNameSpace::pickFolder() {
  FolderPicker* picker = session_->options().picker;
  if (picker == nullptr) return {S_OK, nullptr};
  const std::optional<std::filesystem::path> file = picker->pickVcardFile();
  if (!file) return {S_OK, nullptr};
  return folderOf(*file);
}

Result<Ref<ComObject>> VcardFolder::queryInterface(const Guid& iid) {
  return answer<om::MAPIFolder>(this, iid);
}

Result<Ref<om::Items>> VcardFolder::items() {
  if (book_->isClosed()) {
    return {fail(om::IID_MAPIFolder, E_UNEXPECTED, "주소록이 이미 닫혔습니다."), nullptr};
  }
  return {S_OK, makeRef<VcardItems>(book_)};
}

Result<Ref<ComObject>> VcardItems::queryInterface(const Guid& iid) {
  return answer<om::Items>(this, iid);
}

Result<Ref<ComObject>> VcardItems::itemAt(std::size_t card) {
  if (book_->isClosed()) {
    return {fail(om::IID_Items, E_UNEXPECTED, "주소록이 이미 닫혔습니다."), nullptr};
  }
  if (card >= book_->cardCount()) return {S_OK, nullptr};
  if (!book_->isContact(card)) return {S_OK, makeRef<VcardListItem>()};
  return {S_OK, makeRef<VcardContactItem>(book_, card)};
}

Result<Ref<ComObject>> VcardItems::getFirst() {
  next_ = 0;
  return itemAt(next_++);
}

Result<Ref<ComObject>> VcardItems::getNext() {
  return itemAt(next_++);
}

Result<std::int32_t> VcardItems::count() {
  return {S_OK, static_cast<std::int32_t>(book_->cardCount())};
}

Result<Ref<ComObject>> VcardContactItem::queryInterface(const Guid& iid) {
  return answer<om::ContactItem>(this, iid);
}

Result<om::Bstr> VcardContactItem::get(om::ContactProperty property) {
  for (auto write = pending_.rbegin(); write != pending_.rend(); ++write) {
    if (write->property == property) return {S_OK, utf8ToUtf16(write->value)};
  }
  try {
    return {S_OK, utf8ToUtf16(book_->value(card_, property))};
  } catch (const VcardError& error) {
    return {fail(om::IID_ContactItem, error), std::nullopt};
  }
}

HRESULT VcardContactItem::put(om::ContactProperty property, std::u16string_view value) {
  if (book_->isClosed())
    return fail(om::IID_ContactItem, E_UNEXPECTED, "주소록이 이미 닫혔습니다.");
  // Text stops at its first NUL, as everywhere at this boundary.
  value = value.substr(0, value.find(u'\0'));
  pending_.push_back({property, utf16ToUtf8(value)});
  return S_OK;
}

HRESULT VcardContactItem::save() {
  if (pending_.empty()) return S_OK;
  try {
    book_->save(card_, pending_);
  } catch (const VcardError& error) {
    return fail(om::IID_ContactItem, error);
  }
  // The next values come a pass later, if at all: a hundred thousand items
  // should not each hold room for them meanwhile.
  std::vector<PropertyWrite>().swap(pending_);
  return S_OK;
}

}  // namespace borvanta::vcard
