#pragma once
// The job's only way to the user's contacts: connecting to the object model
// and choosing the folder (open), copying every contact into the run's list
// (readAll), and writing changed properties back (put, save).

#include <string_view>

#include "core/cp949.h"
#include "job/contact_list.h"
#include "outlook/object_model.h"
#include "outlook/outlook_connection.h"
#include "outlook/owner_window.h"
#include "page/page_bridge.h"

namespace borvanta {

class ContactStore {
 public:
  ContactStore(om::ComRuntime& runtime, OutlookConnection& connection, PageBridge& page);

  // Connects and chooses the folder: the default contacts folder, or one the
  // user picks. True when application, folder and items are all set; false
  // after a message box owned by `owner` has said why not.
  [[nodiscard]] bool open(OwnerWindow& owner, bool useDefaultContacts);

  // Appends one record per contact item of the folder to `list`, with a
  // start and an end line in the log. False after a message box; records
  // appended before stay.
  [[nodiscard]] bool readAll(OwnerWindow& owner, ContactList& list);

  // Writes `text` (narrow) to `property` of the record's item; effective at
  // save. Raises _com_error on failure; E_POINTER when the record has no item;
  // E_INVALIDARG, writing nothing, when the record lost characters at reading
  // and `text` has a "?" that may stand for one of them.
  void put(const ContactRecord& record, om::ContactProperty property, std::string_view text);
  // Saves the record's item. Raises _com_error on failure.
  void save(const ContactRecord& record);

  [[nodiscard]] OutlookConnection& connection() { return connection_; }

 private:
  om::ComRuntime& runtime_;
  OutlookConnection& connection_;
  PageBridge& page_;
  Cp949Converter cp949_;  // every value read and written crosses it
};

// The text of a load-failure box for `error`: its description, or its code
// when it carries none ("오류 0x80004003"), in code page 949.
[[nodiscard]] std::string errorMessageText(const class _com_error& error);

}  // namespace borvanta
