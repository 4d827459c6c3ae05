#pragma once
// What every object of one runtime shares: the options, and the address
// books opened so far, one per file, kept open from run to run so that the
// lock stays and nothing is read twice. A book whose file another program
// changed between runs is opened again.

#include <filesystem>
#include <vector>

#include "backends/vcard/address_book.h"
#include "backends/vcard/vcard_runtime.h"

namespace borvanta::vcard {

class VcardRuntime::Session : public RefCounted {
 public:
  explicit Session(RuntimeOptions options) : options_(std::move(options)) {}

  [[nodiscard]] const RuntimeOptions& options() const { return options_; }
  [[nodiscard]] bool isClosed() const { return closed_; }

  // The book of `file`. Throws VcardError.
  [[nodiscard]] Ref<AddressBook> book(const std::filesystem::path& file);

  [[nodiscard]] FlushResult flush();
  [[nodiscard]] std::vector<ContactChanges> changes() const;
  // Folds every book in and lets go of them.
  void close() noexcept;

 protected:
  ~Session() override { close(); }

 private:
  RuntimeOptions options_;
  std::vector<Ref<AddressBook>> books_;
  bool closed_ = false;
};

}  // namespace borvanta::vcard
