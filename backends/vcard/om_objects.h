#pragma once
// The object model over address books: the application, the "MAPI"
// namespace (the default folder is the file named at start-up; PickFolder
// asks the front end for a file), a folder per file, its items (one per
// card, in file order), and contact items whose properties are read from and
// saved into their card. Group and list cards are items but not contacts.
// A failed call leaves a Korean description, for the interface it was made
// through, on the object it was made on.

#include <optional>
#include <string>

#include "backends/vcard/address_book.h"
#include "backends/vcard/session.h"
#include "outlook/object_model.h"

namespace borvanta::vcard {

// The description of each object's last failure, by interface.
template <class Base>
class Described : public Base {
 public:
  [[nodiscard]] std::optional<std::u16string> errorDescription(const Guid& iid) const override {
    if (failedIid_ && *failedIid_ == iid) return description_;
    return std::nullopt;
  }

 protected:
  // Keeps the description of `error` for `iid`; returns its code.
  HRESULT fail(const Guid& iid, const VcardError& error);
  HRESULT fail(const Guid& iid, HRESULT hr, std::string_view description);

 private:
  std::optional<Guid> failedIid_;
  std::optional<std::u16string> description_;
};

class VcardApplication final : public Described<om::Application> {
 public:
  explicit VcardApplication(Ref<VcardRuntime::Session> session) : session_(std::move(session)) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override;
  Result<Ref<om::NameSpace>> getNamespace(std::u16string_view type) override;

 private:
  Ref<VcardRuntime::Session> session_;
};

class VcardNameSpace final : public Described<om::NameSpace> {
 public:
  explicit VcardNameSpace(Ref<VcardRuntime::Session> session) : session_(std::move(session)) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override;
  Result<Ref<om::MAPIFolder>> getDefaultFolder(std::int32_t folderType) override;
  Result<Ref<om::MAPIFolder>> pickFolder() override;

 private:
  Result<Ref<om::MAPIFolder>> folderOf(const std::filesystem::path& file);
  Ref<VcardRuntime::Session> session_;
};

class VcardFolder final : public Described<om::MAPIFolder> {
 public:
  explicit VcardFolder(Ref<AddressBook> book) : book_(std::move(book)) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override;
  Result<Ref<om::Items>> items() override;

 private:
  Ref<AddressBook> book_;
};

class VcardItems final : public Described<om::Items> {
 public:
  explicit VcardItems(Ref<AddressBook> book) : book_(std::move(book)) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override;
  Result<Ref<ComObject>> getFirst() override;
  Result<Ref<ComObject>> getNext() override;
  Result<std::int32_t> count() override;

 private:
  Result<Ref<ComObject>> itemAt(std::size_t card);
  Ref<AddressBook> book_;
  std::size_t next_ = 0;
};

class VcardContactItem final : public Described<om::ContactItem> {
 public:
  VcardContactItem(Ref<AddressBook> book, std::size_t card) : book_(std::move(book)), card_(card) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override;
  Result<om::Bstr> get(om::ContactProperty property) override;
  HRESULT put(om::ContactProperty property, std::u16string_view value) override;
  HRESULT save() override;

 private:
  Ref<AddressBook> book_;
  std::size_t card_;
  std::vector<PropertyWrite> pending_;  // put since the last save, in order
};

// A group or list card: an item that is no contact.
class VcardListItem final : public ComObject {};

}  // namespace borvanta::vcard
