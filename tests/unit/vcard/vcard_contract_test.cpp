// The vCard backend keeps the promises every backend of the object model
// keeps, over files laid out as Gmail writes them (3.0, UTF-8) and as
// Outlook writes them (2.1, ks_c_5601-1987 quoted-printable).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "backends/vcard/codec.h"
#include "backends/vcard/vcard_runtime.h"
#include "core/cp949.h"
#include "core/utf.h"
#include "tests/support/named_rows.h"
#include "tests/support/object_model_contract.h"
#include "tests/unit/vcard/vcard_test_files.h"

namespace borvanta::vcard {
namespace {

using om::ContactProperty;
using testing_support::ContractBackend;
using testing_support::ContractBackendRow;
using testing_support::ContractItem;
using testing_support::ObjectModelContract;

enum class Layout { Gmail30, Outlook21 };

// A value as a 2.1 line writes it: ks_c_5601-1987 quoted-printable when
// code page 949 holds it, else UTF-8 quoted-printable.
std::string outlookLine(const std::string& head, const std::string& utf8) {
  const Cp949Text narrow = utf8ToCp949(utf8);
  const bool korean = !narrow.lossy;
  const std::string bytes = korean ? narrow.text : utf8;
  return head + (korean ? ";CHARSET=ks_c_5601-1987" : ";CHARSET=UTF-8") +
         ";ENCODING=QUOTED-PRINTABLE:" + encodeQuotedPrintable(bytes, false) + "\r\n";
}

std::string line(Layout layout, const std::string& head, const std::string& utf8) {
  if (layout == Layout::Outlook21) return outlookLine(head, utf8);
  return head + ":" + utf8 + "\r\n";
}

// The card a program of `layout` would write for `item`.
std::string cardFor(const ContractItem& item, Layout layout) {
  const Version version = layout == Layout::Gmail30 ? Version::V30 : Version::V21;
  std::string card =
      std::string("BEGIN:VCARD\r\nVERSION:") + (layout == Layout::Gmail30 ? "3.0" : "2.1") + "\r\n";
  if (!item.isContact) {
    return card + line(layout, "FN", utf16ToUtf8(item.listName)) +
           "X-ADDRESSBOOKSERVER-KIND:group\r\nEND:VCARD\r\n";
  }
  const auto has = [&](ContactProperty p) { return item.values.count(p) != 0; };
  const auto text = [&](ContactProperty p, bool component) {
    return has(p) ? escapeText(utf16ToUtf8(item.values.at(p)), version, component) : std::string();
  };
  if (has(ContactProperty::FullName))
    card += line(layout, "FN", text(ContactProperty::FullName, false));
  if (has(ContactProperty::LastName) || has(ContactProperty::FirstName)) {
    card += line(layout, "N",
                 text(ContactProperty::LastName, true) + ";" +
                     text(ContactProperty::FirstName, true) + ";;;");
  }
  if (has(ContactProperty::CompanyName) || has(ContactProperty::Department)) {
    card += line(
        layout, "ORG",
        text(ContactProperty::CompanyName, true) + ";" + text(ContactProperty::Department, true));
  }
  if (has(ContactProperty::JobTitle))
    card += line(layout, "TITLE", text(ContactProperty::JobTitle, false));
  if (has(ContactProperty::FileAs)) {
    card += line(layout, "X-EVOLUTION-FILE-AS", text(ContactProperty::FileAs, false));
  }
  struct Tel {
    ContactProperty property;
    const char* gmail;
    const char* outlook;
  };
  for (const Tel& tel :
       {Tel{ContactProperty::MobileTelephoneNumber, "TEL;TYPE=CELL", "TEL;CELL;VOICE"},
        Tel{ContactProperty::HomeTelephoneNumber, "TEL;TYPE=HOME", "TEL;HOME;VOICE"},
        Tel{ContactProperty::BusinessTelephoneNumber, "TEL;TYPE=WORK", "TEL;WORK;VOICE"},
        Tel{ContactProperty::BusinessFaxNumber, "TEL;TYPE=WORK;TYPE=FAX", "TEL;WORK;FAX"}}) {
    if (has(tel.property)) {
      card += line(layout, layout == Layout::Gmail30 ? tel.gmail : tel.outlook,
                   text(tel.property, false));
    }
  }
  return card + "EMAIL;TYPE=INTERNET:someone@example.com\r\nEND:VCARD\r\n";
}

class Picker : public FolderPicker {
 public:
  explicit Picker(std::filesystem::path file) : file_(std::move(file)) {}
  std::optional<std::filesystem::path> pickVcardFile() override {
    if (cancels) return std::nullopt;
    return file_;
  }
  bool cancels = false;

 private:
  std::filesystem::path file_;
};

class VcardContractBackend : public ContractBackend {
 public:
  explicit VcardContractBackend(Layout layout) : layout_(layout) {}

  void createFolder(const std::vector<ContractItem>& items) override {
    std::string book;
    for (const ContractItem& item : items)
      book += cardFor(item, layout_);
    vcardtest::writeFile(file_, book);
  }
  om::ComRuntime& runtime() override {
    if (!runtime_) {
      RuntimeOptions options;
      options.defaultFile = file_;
      options.picker = &picker_;
      options.syncEverySave = false;
      runtime_ = std::make_unique<VcardRuntime>(options);
    }
    return *runtime_;
  }
  void restartRuntime() override {
    runtime_.reset();  // folds every save into the file
    ::chmod(file_.c_str(), 0644);
  }
  void setPickerCancels(bool cancels) override { picker_.cancels = cancels; }
  bool breakStorage() override {
    // A file its owner made read-only: saves are refused, reading goes on.
    return ::chmod(file_.c_str(), 0444) == 0;
  }
  bool describesErrors() const override { return true; }

 private:
  Layout layout_;
  vcardtest::TempDir dir_;
  std::filesystem::path file_ = dir_ / "contacts.vcf";
  Picker picker_{file_};
  std::unique_ptr<VcardRuntime> runtime_;
};

INSTANTIATE_TEST_SUITE_P(
    Vcard, ObjectModelContract,
    ::testing::Values(
        ContractBackendRow{"Gmail30",
                           [] { return std::make_unique<VcardContractBackend>(Layout::Gmail30); }},
        ContractBackendRow{
            "Outlook21KsC5601",
            [] { return std::make_unique<VcardContractBackend>(Layout::Outlook21); }}),
    testing_support::RowName());

}  // namespace
}  // namespace borvanta::vcard
