#include "outlook/contact_store.h"

#include "core/com_error.h"
#include "core/cp949.h"
#include "core/text.h"

namespace borvanta {

namespace {

// The record field each read property fills, in the order of reading.
struct PropertyField {
  om::ContactProperty property;
  ContactField field;
};
constexpr PropertyField readOrder[] = {
    {om::ContactProperty::FirstName, ContactField::FirstName},
    {om::ContactProperty::LastName, ContactField::LastName},
    {om::ContactProperty::CompanyName, ContactField::CompanyName},
    {om::ContactProperty::FileAs, ContactField::FileAs},
    {om::ContactProperty::BusinessFaxNumber, ContactField::BusinessFax},
    {om::ContactProperty::BusinessTelephoneNumber, ContactField::BusinessPhone},
    {om::ContactProperty::MobileTelephoneNumber, ContactField::MobilePhone},
    {om::ContactProperty::HomeTelephoneNumber, ContactField::HomePhone},
    {om::ContactProperty::JobTitle, ContactField::JobTitle},
    {om::ContactProperty::Department, ContactField::Department},
};

// The object behind `ref`, or E_POINTER raised for an empty reference: a
// call on nothing, which has no description.
template <class T>
T& callee(const Ref<T>& ref, const Guid& iid) {
  if (!ref) raiseOnFailure(E_POINTER, nullptr, iid);
  return *ref;
}

// The value of a successful call; raises the error of a failed one.
template <class T>
T take(Result<T> result, const ComObject& object, const Guid& iid) {
  raiseOnFailure(result.hr, &object, iid);
  return std::move(result.value);
}

om::ContactItem& contactItemOf(const ContactRecord& record) {
  if (!record.item) raiseOnFailure(E_POINTER, nullptr, om::IID_ContactItem);
  auto* item = dynamic_cast<om::ContactItem*>(record.item.get());
  if (item == nullptr) raiseOnFailure(E_NOINTERFACE, record.item.get(), om::IID_ContactItem);
  return *item;
}

// Whether `text` may hold the "?" that stands for a character lost when the
// record was read: the record lost characters somewhere, and the text has a
// "?". Byte 0x3F is never part of a two-byte code page 949 character, so the
// search cannot be fooled by Hangul.
bool mayHoldLostCharacter(const ContactRecord& record, std::string_view text) {
  return record.damaged.any() && text.find('?') != std::string_view::npos;
}

// The progress of the reading loop: `read` of `count` items, truncated toward
// zero. A count that is not above what was read (the folder's count is
// taken once and may be stale) gives the full bar, never more.
std::int32_t readingPercent(std::int32_t read, std::int32_t count) {
  if (count <= 0 || read >= count) return 100;
  return static_cast<std::int32_t>(static_cast<double>(read) / static_cast<double>(count) * 100.0);
}

}  // namespace

ContactStore::ContactStore(om::ComRuntime& runtime, OutlookConnection& connection, PageBridge& page)
    : runtime_(runtime), connection_(connection), page_(page) {}

namespace {

// CoCreateInstance, OleRun, then the application interface. The base
// reference is released whatever happens.
Result<Ref<om::Application>> createApplication(om::ComRuntime& runtime) {
  Result<Ref<ComObject>> unknown = runtime.createInstance(om::CLSID_Application);
  if (failed(unknown.hr)) return {unknown.hr, nullptr};
  if (!unknown.value) return {E_POINTER, nullptr};
  const HRESULT ran = runtime.run(*unknown.value);
  if (failed(ran)) return {ran, nullptr};
  return queryAs<om::Application>(*unknown.value);
}

}  // namespace

bool ContactStore::open(OwnerWindow& owner, bool useDefaultContacts) {
  Result<Ref<om::Application>> application = createApplication(runtime_);
  connection_.application = failed(application.hr) ? nullptr : application.value;
  if (!connection_.application) {
    owner.messageBox(cp949("아웃룩 초기화 실패"), "Outlook Error");
    return false;
  }
  try {
    om::Application& app = *connection_.application;
    Ref<om::NameSpace> ns = take(app.getNamespace(u"MAPI"), app, om::IID_Application);
    om::NameSpace& mapi = callee(ns, om::IID_NameSpace);
    connection_.folder = useDefaultContacts ? take(mapi.getDefaultFolder(om::olFolderContacts),
                                                   mapi, om::IID_NameSpace)
                                            : take(mapi.pickFolder(), mapi, om::IID_NameSpace);
    ns.reset();
    if (!connection_.folder) {
      owner.messageBox(cp949("폴더를 선택하지 않았습니다."), cp949("에러"));
      return false;
    }
    om::MAPIFolder& folder = *connection_.folder;
    connection_.items = take(folder.items(), folder, om::IID_MAPIFolder);
    if (!connection_.items) {
      owner.messageBox(cp949("연락처 아이템을 얻을 수 없습니다."), cp949("에러"));
      return false;
    }
  } catch (const _com_error& error) {
    owner.messageBox(errorMessageText(error), owner.applicationName());
    return false;
  }
  owner.bringToTop();
  return true;
}

namespace {

// Moves the reading loop to the next contact item: the first one when
// `first`, else the one after the current. Items that are not contacts
// (distribution lists, mail) are skipped and counted. At the end of the
// collection the current item becomes empty.
void nextContact(OutlookConnection& connection, bool first, std::int32_t& skipped) {
  om::Items& items = callee(connection.items, om::IID_Items);
  for (bool firstStep = first;; firstStep = false) {
    Ref<ComObject> item =
        take(firstStep ? items.getFirst() : items.getNext(), items, om::IID_Items);
    if (!item) {
      connection.currentItem = nullptr;
      return;
    }
    Result<Ref<om::ContactItem>> contact = queryAs<om::ContactItem>(*item);
    if (contact.hr == E_NOINTERFACE) {
      ++skipped;
      continue;
    }
    raiseOnFailure(contact.hr, item.get(), IID_IUnknown);
    connection.currentItem = contact.value;
    return;
  }
}

ContactRecord readRecord(om::ContactItem& item, Cp949Converter& cp949) {
  ContactRecord record;
  for (const PropertyField& entry : readOrder) {
    const om::Bstr value = take(item.get(entry.property), item, om::IID_ContactItem);
    if (!value) continue;  // a null string is an empty field
    Cp949Text text = cp949.fromUtf16(*value);
    record.field(entry.field) = std::move(text.text);
    record.setDamaged(entry.field, text.lossy);
  }
  return record;
}

}  // namespace

bool ContactStore::readAll(OwnerWindow& owner, ContactList& list) {
  static const std::string startFormat = cp949("%d 개의 연락처를 읽기 시작합니다");
  static const std::string skippedFormat = cp949("연락처가 아닌 항목 %d 개는 건너뛰었습니다");
  static const std::string endFormat = cp949("<B>%d 개의 연락처를 읽었습니다</B>");
  try {
    std::int32_t skipped = 0;
    nextContact(connection_, true, skipped);
    om::Items& items = callee(connection_.items, om::IID_Items);
    const std::int32_t count = take(items.count(), items, om::IID_Items);
    page_.appendLog(formatText(startFormat.c_str(), count));
    std::int32_t read = 0;
    while (connection_.currentItem) {
      ContactRecord record = readRecord(*connection_.currentItem, cp949_);
      record.item = connection_.currentItem;
      list.append(std::move(record));
      nextContact(connection_, false, skipped);
      ++read;
      if (read % 10 == 0) {
        page_.setProgress(readingPercent(read, count));
        page_.pumpMessages();
      }
    }
    page_.setProgress(100);
    if (skipped > 0) page_.appendLog(formatText(skippedFormat.c_str(), skipped));
    page_.appendLog(formatText(endFormat.c_str(), list.count()));
    return true;
  } catch (const _com_error& error) {
    owner.messageBox(errorMessageText(error), owner.applicationName());
    return false;
  }
}

void ContactStore::put(const ContactRecord& record, om::ContactProperty property,
                       std::string_view text) {
  const std::u16string value = cp949_.toUtf16(text);
  om::ContactItem& item = contactItemOf(record);
  // A value made from a field that lost characters when it was read holds
  // "?" in their place; writing it would destroy the original. Only the text
  // up to its first NUL is written, so only that part is looked at.
  if (mayHoldLostCharacter(record, text.substr(0, text.find('\0')))) {
    throw _com_error(E_INVALIDARG, om::IID_ContactItem,
                     u"한글 코드(CP949)로 나타낼 수 없어 잃은 문자가 든 값은 쓰지 않습니다");
  }
  raiseOnFailure(item.put(property, value), &item, om::IID_ContactItem);
}

void ContactStore::save(const ContactRecord& record) {
  om::ContactItem& item = contactItemOf(record);
  raiseOnFailure(item.save(), &item, om::IID_ContactItem);
}

std::string errorMessageText(const _com_error& error) {
  if (error.Description()) {
    std::string text = utf16ToCp949(*error.Description()).text;
    if (!text.empty()) return text;
  }
  return cp949("오류 ") + hresultText(error.Error());
}

}  // namespace borvanta
