#include "app/vcard_address_book.h"

#include "app/vcard_file_chooser.h"
#include "core/cp949.h"

namespace borvanta {

VcardAddressBook::VcardAddressBook(std::optional<std::filesystem::path> file,
                                   std::function<GtkWindow*()> chooserOwner)
    : chooser_(std::move(chooserOwner)),
      runtime_(vcard::RuntimeOptions{.defaultFile = std::move(file), .picker = &chooser_}) {}

void VcardAddressBook::flush(OwnerWindow& owner) {
  const vcard::FlushResult result = runtime_.flush();
  if (!result.ok()) owner.messageBox(utf8ToCp949(result.message).text, owner.applicationName());
}

std::optional<std::filesystem::path> VcardAddressBook::Chooser::pickVcardFile() {
  return gtk::chooseVcardFile(owner_ ? owner_() : nullptr);
}

}  // namespace borvanta
