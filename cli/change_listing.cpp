#include "cli/change_listing.h"

#include "cli/plain_text.h"

namespace borvanta::cli {

namespace {

std::string quoted(const std::string& value) {
  // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) about
  // "\"" + std::string at -O3.
  std::string out = "\"";
  out += printable(value);
  out += '"';
  return out;
}

}  // namespace

std::string changeListing(const std::vector<vcard::ContactChanges>& contacts,
                          const std::filesystem::path& file) {
  std::string text = "Dry run: ";
  if (contacts.empty()) {
    text += "no contact would change";
  } else {
    text += std::to_string(contacts.size()) +
            (contacts.size() == 1 ? " contact would change" : " contacts would change");
  }
  text += "; nothing was written to " + printable(file.string()) + "\n";
  for (const vcard::ContactChanges& contact : contacts) {
    text += printable(contact.label) + "\n";
    for (const vcard::PropertyChange& change : contact.changes) {
      text += "  " + std::string(om::propertyName(change.property)) + ": " + quoted(change.before) +
              " -> " + quoted(change.after) + "\n";
    }
  }
  return text;
}

}  // namespace borvanta::cli
