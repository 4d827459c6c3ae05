#include "tests/support/fake_outlook.h"

namespace borvanta::testing_support {

struct FakeOutlook::State {
  std::deque<FakeEntry> entries;
  bool hasDefaultFolder = true;
  bool pickerCancels = false;
  bool folderHasItems = true;

  struct Fault {
    std::string call;
    int occurrence = 0;  // 0: addressed by number instead
    int number = 0;
    HRESULT hr = E_FAIL;
    std::optional<std::u16string> description;
    int seen = 0;
  };
  std::vector<Fault> faults;
  std::vector<std::string> calls;
  int live = 0;
  std::vector<std::string> destroyed;
};

namespace {

using State = FakeOutlook::State;

bool matches(const std::string& call, const std::string& pattern) {
  return call == pattern || call.rfind(pattern + "(", 0) == 0;
}

// The base of every object of the model: counted, and able to answer a
// failed call's description for the interface it was made through.
template <class Base>
class FakeObject : public Base {
 public:
  FakeObject(std::shared_ptr<State> state, const char* kind)
      : state_(std::move(state)), kind_(kind) {
    ++state_->live;
  }
  ~FakeObject() override {
    --state_->live;
    state_->destroyed.emplace_back(kind_);
  }

  std::optional<std::u16string> errorDescription(const Guid& iid) const override {
    if (lastErrorIid_ && *lastErrorIid_ == iid) return lastError_;
    return std::nullopt;
  }

 protected:
  // Records the call and answers the fault addressed to it, if any.
  HRESULT enter(const std::string& call, const Guid& iid) {
    state_->calls.push_back(call);
    const int number = static_cast<int>(state_->calls.size());
    for (State::Fault& fault : state_->faults) {
      bool hit = false;
      if (fault.occurrence > 0 && matches(call, fault.call)) {
        hit = ++fault.seen == fault.occurrence;
      } else if (fault.occurrence == 0) {
        hit = fault.number == number;
      }
      if (hit) {
        lastErrorIid_ = iid;
        lastError_ = fault.description;
        return fault.hr;
      }
    }
    return S_OK;
  }
  State& state() { return *state_; }
  const std::shared_ptr<State>& shared() { return state_; }

 private:
  std::shared_ptr<State> state_;
  const char* kind_;
  std::optional<Guid> lastErrorIid_;
  std::optional<std::u16string> lastError_;
};

class FakeContactItem : public FakeObject<om::ContactItem> {
 public:
  FakeContactItem(std::shared_ptr<State> state, std::size_t index)
      : FakeObject(std::move(state), "ContactItem"), index_(index) {}

  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    if (const HRESULT hr = enter("Item.QueryInterface", IID_IUnknown); failed(hr)) {
      return {hr, nullptr};
    }
    if (iid == om::IID_ContactItem || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
  Result<om::Bstr> get(om::ContactProperty property) override {
    const HRESULT hr = enter(call("Get", property), om::IID_ContactItem);
    if (failed(hr)) return {hr, std::nullopt};
    const auto& saved = entry().saved;
    const auto found = saved.find(property);
    return {S_OK, found == saved.end() ? om::Bstr() : found->second};
  }
  HRESULT put(om::ContactProperty property, std::u16string_view value) override {
    const HRESULT hr = enter(call("Put", property), om::IID_ContactItem);
    if (succeeded(hr)) entry().pending[property] = std::u16string(value);
    return hr;
  }
  HRESULT save() override {
    const HRESULT hr = enter("ContactItem.Save", om::IID_ContactItem);
    if (failed(hr)) return hr;
    FakeEntry& e = entry();
    for (auto& [property, value] : e.pending)
      e.saved[property] = value;
    e.pending.clear();
    ++e.saves;
    return S_OK;
  }

 private:
  static std::string call(const char* verb, om::ContactProperty property) {
    return std::string("ContactItem.") + verb + "(" + std::string(om::propertyName(property)) + ")";
  }
  FakeEntry& entry() { return state().entries.at(index_); }
  std::size_t index_;
};

// An item that is not a contact: a distribution list, a mail.
class FakeOtherItem : public FakeObject<ComObject> {
 public:
  explicit FakeOtherItem(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "OtherItem") {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    if (const HRESULT hr = enter("Item.QueryInterface", IID_IUnknown); failed(hr)) {
      return {hr, nullptr};
    }
    if (iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
};

class FakeItems : public FakeObject<om::Items> {
 public:
  explicit FakeItems(std::shared_ptr<State> state) : FakeObject(std::move(state), "Items") {}

  Result<Ref<ComObject>> getFirst() override {
    if (const HRESULT hr = enter("Items.GetFirst", om::IID_Items); failed(hr)) return {hr, nullptr};
    next_ = 0;
    return {S_OK, itemAt(next_++)};
  }
  Result<Ref<ComObject>> getNext() override {
    if (const HRESULT hr = enter("Items.GetNext", om::IID_Items); failed(hr)) return {hr, nullptr};
    return {S_OK, itemAt(next_++)};
  }
  Result<std::int32_t> count() override {
    if (const HRESULT hr = enter("Items.Count", om::IID_Items); failed(hr)) return {hr, 0};
    return {S_OK, static_cast<std::int32_t>(state().entries.size())};
  }

 private:
  Ref<ComObject> itemAt(std::size_t index) {
    if (index >= state().entries.size()) return nullptr;
    if (state().entries[index].isContact) return makeRef<FakeContactItem>(shared(), index);
    return makeRef<FakeOtherItem>(shared());
  }
  std::size_t next_ = 0;
};

class FakeFolder : public FakeObject<om::MAPIFolder> {
 public:
  explicit FakeFolder(std::shared_ptr<State> state) : FakeObject(std::move(state), "MAPIFolder") {}
  Result<Ref<om::Items>> items() override {
    if (const HRESULT hr = enter("MAPIFolder.Items", om::IID_MAPIFolder); failed(hr)) {
      return {hr, nullptr};
    }
    if (!state().folderHasItems) return {S_OK, nullptr};
    return {S_OK, makeRef<FakeItems>(shared())};
  }
};

class FakeNameSpace : public FakeObject<om::NameSpace> {
 public:
  explicit FakeNameSpace(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "NameSpace") {}
  Result<Ref<om::MAPIFolder>> getDefaultFolder(std::int32_t folderType) override {
    if (const HRESULT hr = enter("NameSpace.GetDefaultFolder", om::IID_NameSpace); failed(hr)) {
      return {hr, nullptr};
    }
    if (folderType != om::olFolderContacts) return {E_INVALIDARG, nullptr};
    if (!state().hasDefaultFolder) return {S_OK, nullptr};
    return {S_OK, makeRef<FakeFolder>(shared())};
  }
  Result<Ref<om::MAPIFolder>> pickFolder() override {
    if (const HRESULT hr = enter("NameSpace.PickFolder", om::IID_NameSpace); failed(hr)) {
      return {hr, nullptr};
    }
    if (state().pickerCancels) return {S_OK, nullptr};
    return {S_OK, makeRef<FakeFolder>(shared())};
  }
};

class FakeApplication : public FakeObject<om::Application> {
 public:
  explicit FakeApplication(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "Application") {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    if (const HRESULT hr = enter("Application.QueryInterface", IID_IUnknown); failed(hr)) {
      return {hr, nullptr};
    }
    if (iid == om::IID_Application || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
  Result<Ref<om::NameSpace>> getNamespace(std::u16string_view type) override {
    if (const HRESULT hr = enter("Application.GetNamespace", om::IID_Application); failed(hr)) {
      return {hr, nullptr};
    }
    if (type != u"MAPI") return {E_INVALIDARG, nullptr};
    return {S_OK, makeRef<FakeNameSpace>(shared())};
  }
};

// CoCreateInstance and OleRun. The runtime itself is not a counted object.
class FakeRuntime : public om::ComRuntime, private FakeObject<ComObject> {
 public:
  explicit FakeRuntime(std::shared_ptr<State> state) : FakeObject(std::move(state), "Runtime") {
    --this->state().live;  // the runtime is not an object of the model
  }
  ~FakeRuntime() override { ++this->state().live; }

  Result<Ref<ComObject>> createInstance(const Guid& clsid) override {
    if (const HRESULT hr = enter("CoCreateInstance", IID_IUnknown); failed(hr)) {
      return {hr, nullptr};
    }
    if (clsid != om::CLSID_Application) return {REGDB_E_CLASSNOTREG, nullptr};
    return {S_OK, makeRef<FakeApplication>(shared())};
  }
  HRESULT run(ComObject&) override { return enter("OleRun", IID_IUnknown); }
};

}  // namespace

std::u16string FakeEntry::value(om::ContactProperty property) const {
  const auto found = saved.find(property);
  return found != saved.end() && found->second ? *found->second : std::u16string();
}

FakeOutlook::FakeOutlook()
    : state_(std::make_shared<State>()), runtime_(std::make_unique<FakeRuntime>(state_)) {}

FakeOutlook::~FakeOutlook() = default;

FakeEntry& FakeOutlook::addContact(std::map<om::ContactProperty, om::Bstr> values) {
  FakeEntry& e = state_->entries.emplace_back();
  e.saved = std::move(values);
  return e;
}

FakeEntry& FakeOutlook::addNonContact() {
  FakeEntry& e = state_->entries.emplace_back();
  e.isContact = false;
  return e;
}

FakeEntry& FakeOutlook::entry(std::size_t index) {
  return state_->entries.at(index);
}
std::size_t FakeOutlook::entryCount() const {
  return state_->entries.size();
}
void FakeOutlook::setHasDefaultFolder(bool has) {
  state_->hasDefaultFolder = has;
}
void FakeOutlook::setPickerCancels(bool cancels) {
  state_->pickerCancels = cancels;
}
void FakeOutlook::setFolderHasItems(bool has) {
  state_->folderHasItems = has;
}

void FakeOutlook::failCall(std::string call, HRESULT hr, std::optional<std::u16string> description,
                           int occurrence) {
  state_->faults.push_back({std::move(call), occurrence, 0, hr, std::move(description), 0});
}

void FakeOutlook::failCallNumber(int k, HRESULT hr, std::optional<std::u16string> description) {
  state_->faults.push_back({"", 0, k, hr, std::move(description), 0});
}

const std::vector<std::string>& FakeOutlook::calls() const {
  return state_->calls;
}

int FakeOutlook::callCount(const std::string& call) const {
  int n = 0;
  for (const std::string& made : state_->calls)
    n += matches(made, call) ? 1 : 0;
  return n;
}

int FakeOutlook::liveObjects() const {
  return state_->live;
}
const std::vector<std::string>& FakeOutlook::destroyed() const {
  return state_->destroyed;
}
om::ComRuntime& FakeOutlook::runtime() {
  return *runtime_;
}

}  // namespace borvanta::testing_support
