#pragma once
// The contacts object model the store drives, in the shape of Outlook's
// automation model: an application that gives a namespace, a namespace that
// gives folders, a folder that gives its item collection, and contact items
// with text properties and Save. Every call yields a result code; a failed
// call leaves its description with the object it was made on.
//
// Backends (vCard files, the desktop's address books, the test object model)
// implement these interfaces; nothing above them knows which one is behind.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/com_object.h"

namespace borvanta::om {

// Outlook's published class and interface ids.
inline constexpr Guid CLSID_Application{
    0x0006F03A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_Application{
    0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_NameSpace{
    0x00063002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_MAPIFolder{
    0x00063006, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_Items{
    0x00063041, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr Guid IID_ContactItem{
    0x00063021, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The default folder kind of contacts (olFolderContacts).
inline constexpr std::int32_t olFolderContacts = 10;

// A text property as the object model hands it over: nullopt is a null
// string, which is not the same as an empty one.
using Bstr = std::optional<std::u16string>;

// The contact properties the program reads or writes.
enum class ContactProperty : std::uint8_t {
  FirstName,
  LastName,
  CompanyName,
  FileAs,
  BusinessFaxNumber,
  BusinessTelephoneNumber,
  MobileTelephoneNumber,
  HomeTelephoneNumber,
  JobTitle,
  Department,
  FullName,
};

// "MobileTelephoneNumber"
[[nodiscard]] std::string_view propertyName(ContactProperty property);

class NameSpace;
class MAPIFolder;
class Items;
class ContactItem;

// Starts the object model's server: CoCreateInstance of a class (asking for
// the base interface), then OleRun on the object created.
class ComRuntime {
 public:
  virtual ~ComRuntime() = default;
  [[nodiscard]] virtual Result<Ref<ComObject>> createInstance(const Guid& clsid) = 0;
  [[nodiscard]] virtual HRESULT run(ComObject& object) = 0;
};

class Application : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_Application;
  // GetNamespace("MAPI")
  [[nodiscard]] virtual Result<Ref<NameSpace>> getNamespace(std::u16string_view type) = 0;
};

class NameSpace : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_NameSpace;
  // GetDefaultFolder(olFolderContacts); an empty reference when there is none.
  [[nodiscard]] virtual Result<Ref<MAPIFolder>> getDefaultFolder(std::int32_t folderType) = 0;
  // Lets the user choose a folder; an empty reference when the user cancelled.
  [[nodiscard]] virtual Result<Ref<MAPIFolder>> pickFolder() = 0;
};

class MAPIFolder : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_MAPIFolder;
  // The folder's item collection; an empty reference when it has none.
  [[nodiscard]] virtual Result<Ref<Items>> items() = 0;
};

class Items : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_Items;
  // The first or next item, as a generic object (query it for ContactItem);
  // an empty reference after the last item.
  [[nodiscard]] virtual Result<Ref<ComObject>> getFirst() = 0;
  [[nodiscard]] virtual Result<Ref<ComObject>> getNext() = 0;
  // The number of items of every kind in the folder.
  [[nodiscard]] virtual Result<std::int32_t> count() = 0;
};

class ContactItem : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_ContactItem;
  [[nodiscard]] virtual Result<Bstr> get(ContactProperty property) = 0;
  // Takes effect in the store when the item is saved.
  [[nodiscard]] virtual HRESULT put(ContactProperty property, std::u16string_view value) = 0;
  [[nodiscard]] virtual HRESULT save() = 0;
};

}  // namespace borvanta::om
