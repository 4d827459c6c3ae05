#include "tests/support/fake_outlook.h"

namespace borvanta::testing_support {

struct FakeOutlook::State {
  std::deque<FakeEntry> entries;
  bool hasDefaultFolder = true;
  bool pickerCancels = false;
  bool folderHasItems = true;
  std::optional<std::int32_t> reportedCount;

  struct Fault {
    std::string call;
    int occurrence = 0;  // 0: every matching call
    int number = 0;      // > 0: the call of this number, whatever its name
    bool emptyAnswer = false;
    HRESULT hr = E_FAIL;
    std::optional<std::u16string> description;
    int seen = 0;
  };
  std::vector<Fault> faults;
  std::vector<std::string> calls;
  std::vector<int> callTargets;  // parallel to calls
  std::vector<std::string> timeline;
  int live = 0;
  std::vector<std::string> destroyed;
};

namespace {

using State = FakeOutlook::State;

bool matches(const std::string& call, const std::string& pattern) {
  return call == pattern || call.rfind(pattern + "(", 0) == 0;
}

// What the faults make of one call: a failure, an empty reference, or
// nothing (the call does its work).
struct Answer {
  HRESULT hr = S_OK;
  bool empty = false;
  std::optional<std::u16string> description;
};

// Records the call and answers the first fault addressed to it. Every fault
// that matches counts the call, so occurrences stay true when faults overlap.
Answer enterCall(State& state, const std::string& call, int target = -1) {
  state.calls.push_back(call);
  state.callTargets.push_back(target);
  state.timeline.push_back(call);
  const int number = static_cast<int>(state.calls.size());
  std::optional<Answer> answer;
  for (State::Fault& fault : state.faults) {
    bool hit = false;
    if (fault.number > 0) {
      hit = fault.number == number;
    } else if (matches(call, fault.call)) {
      hit = fault.occurrence == 0 || ++fault.seen == fault.occurrence;
    }
    if (hit && !answer) {
      answer = fault.emptyAnswer ? Answer{S_OK, true, std::nullopt}
                                 : Answer{fault.hr, false, fault.description};
    }
  }
  return answer.value_or(Answer{});
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
    state_->timeline.push_back(std::string("~") + kind_);
  }

  std::optional<std::u16string> errorDescription(const Guid& iid) const override {
    if (lastErrorIid_ && *lastErrorIid_ == iid) return lastError_;
    return std::nullopt;
  }

 protected:
  // Records the call; a failure addressed to it leaves its description here.
  Answer enter(const std::string& call, const Guid& iid, int target = -1) {
    Answer answer = enterCall(*state_, call, target);
    if (failed(answer.hr)) remember(iid, answer.description);
    return answer;
  }
  // A failure of the model's own, such as an argument it does not know.
  HRESULT refuse(HRESULT hr, const Guid& iid, std::u16string description) {
    remember(iid, std::move(description));
    return hr;
  }
  State& state() { return *state_; }
  const std::shared_ptr<State>& shared() { return state_; }

 private:
  void remember(const Guid& iid, std::optional<std::u16string> description) {
    lastErrorIid_ = iid;
    lastError_ = std::move(description);
  }

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
    const Answer answer = enter("Item.QueryInterface", IID_IUnknown, target());
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (iid == om::IID_ContactItem || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
  Result<om::Bstr> get(om::ContactProperty property) override {
    const Answer answer = enter(call("Get", property), om::IID_ContactItem, target());
    if (failed(answer.hr)) return {answer.hr, std::nullopt};
    if (const auto put = pending_.find(property); put != pending_.end()) {
      return {S_OK, put->second};
    }
    const auto& saved = entry().saved;
    const auto found = saved.find(property);
    return {S_OK, found == saved.end() ? om::Bstr() : found->second};
  }
  HRESULT put(om::ContactProperty property, std::u16string_view value) override {
    const Answer answer = enter(call("Put", property), om::IID_ContactItem, target());
    if (succeeded(answer.hr)) pending_[property] = std::u16string(value);
    return answer.hr;
  }
  HRESULT save() override {
    const Answer answer = enter("ContactItem.Save", om::IID_ContactItem, target());
    if (failed(answer.hr)) return answer.hr;
    FakeEntry& e = entry();
    for (auto& [property, value] : pending_)
      e.saved[property] = value;
    pending_.clear();
    ++e.saves;
    return S_OK;
  }

 private:
  static std::string call(const char* verb, om::ContactProperty property) {
    return std::string("ContactItem.") + verb + "(" + std::string(om::propertyName(property)) + ")";
  }
  FakeEntry& entry() { return state().entries.at(index_); }
  int target() const { return static_cast<int>(index_); }

  std::size_t index_;
  std::map<om::ContactProperty, std::u16string> pending_;  // put since the last save
};

// An item that is not a contact: a distribution list, a mail.
class FakeOtherItem : public FakeObject<ComObject> {
 public:
  explicit FakeOtherItem(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "OtherItem") {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    const Answer answer = enter("Item.QueryInterface", IID_IUnknown);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
};

class FakeItems : public FakeObject<om::Items> {
 public:
  explicit FakeItems(std::shared_ptr<State> state) : FakeObject(std::move(state), "Items") {}

  Result<Ref<ComObject>> getFirst() override {
    const Answer answer = enter("Items.GetFirst", om::IID_Items);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    next_ = 0;
    return {S_OK, itemAt(next_++)};
  }
  Result<Ref<ComObject>> getNext() override {
    const Answer answer = enter("Items.GetNext", om::IID_Items);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    return {S_OK, itemAt(next_++)};
  }
  Result<std::int32_t> count() override {
    const Answer answer = enter("Items.Count", om::IID_Items);
    if (failed(answer.hr)) return {answer.hr, 0};
    return {S_OK,
            state().reportedCount.value_or(static_cast<std::int32_t>(state().entries.size()))};
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
    const Answer answer = enter("MAPIFolder.Items", om::IID_MAPIFolder);
    if (failed(answer.hr) || answer.empty || !state().folderHasItems) return {answer.hr, nullptr};
    return {S_OK, makeRef<FakeItems>(shared())};
  }
};

class FakeNameSpace : public FakeObject<om::NameSpace> {
 public:
  explicit FakeNameSpace(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "NameSpace") {}
  Result<Ref<om::MAPIFolder>> getDefaultFolder(std::int32_t folderType) override {
    const Answer answer = enter("NameSpace.GetDefaultFolder", om::IID_NameSpace);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (folderType != om::olFolderContacts) {
      return {refuse(E_INVALIDARG, om::IID_NameSpace, u"연락처 폴더만 있습니다"), nullptr};
    }
    if (!state().hasDefaultFolder) return {S_OK, nullptr};
    return {S_OK, makeRef<FakeFolder>(shared())};
  }
  Result<Ref<om::MAPIFolder>> pickFolder() override {
    const Answer answer = enter("NameSpace.PickFolder", om::IID_NameSpace);
    if (failed(answer.hr) || answer.empty || state().pickerCancels) return {answer.hr, nullptr};
    return {S_OK, makeRef<FakeFolder>(shared())};
  }
};

class FakeApplication : public FakeObject<om::Application> {
 public:
  explicit FakeApplication(std::shared_ptr<State> state)
      : FakeObject(std::move(state), "Application") {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    const Answer answer = enter("Application.QueryInterface", IID_IUnknown);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (iid == om::IID_Application || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
  Result<Ref<om::NameSpace>> getNamespace(std::u16string_view type) override {
    const Answer answer = enter("Application.GetNamespace", om::IID_Application);
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (type != u"MAPI") {
      return {refuse(E_INVALIDARG, om::IID_Application, u"MAPI 이름공간만 있습니다"), nullptr};
    }
    return {S_OK, makeRef<FakeNameSpace>(shared())};
  }
};

// CoCreateInstance and OleRun. The runtime is not an object of the model: it
// is neither counted nor able to describe a failure (creation failures are
// plain result codes).
class FakeRuntime : public om::ComRuntime {
 public:
  explicit FakeRuntime(std::shared_ptr<State> state) : state_(std::move(state)) {}

  Result<Ref<ComObject>> createInstance(const Guid& clsid) override {
    const Answer answer = enterCall(*state_, "CoCreateInstance");
    if (failed(answer.hr) || answer.empty) return {answer.hr, nullptr};
    if (clsid != om::CLSID_Application) return {REGDB_E_CLASSNOTREG, nullptr};
    return {S_OK, makeRef<FakeApplication>(state_)};
  }
  HRESULT run(ComObject&) override { return enterCall(*state_, "OleRun").hr; }

 private:
  std::shared_ptr<State> state_;
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
void FakeOutlook::setReportedCount(std::optional<std::int32_t> count) {
  state_->reportedCount = count;
}

void FakeOutlook::failCall(std::string call, HRESULT hr, std::optional<std::u16string> description,
                           int occurrence) {
  state_->faults.push_back({std::move(call), occurrence, 0, false, hr, std::move(description), 0});
}

void FakeOutlook::failEveryCall(std::string call, HRESULT hr,
                                std::optional<std::u16string> description) {
  state_->faults.push_back({std::move(call), 0, 0, false, hr, std::move(description), 0});
}

void FakeOutlook::failCallNumber(int k, HRESULT hr, std::optional<std::u16string> description) {
  state_->faults.push_back({"", 0, k, false, hr, std::move(description), 0});
}

void FakeOutlook::answerEmpty(std::string call, int occurrence) {
  state_->faults.push_back({std::move(call), occurrence, 0, true, S_OK, std::nullopt, 0});
}

void FakeOutlook::clearFaults() {
  state_->faults.clear();
}

void FakeOutlook::restartRuntime() {
  runtime_ = std::make_unique<FakeRuntime>(state_);
}

const std::vector<std::string>& FakeOutlook::calls() const {
  return state_->calls;
}

const std::vector<int>& FakeOutlook::callTargets() const {
  return state_->callTargets;
}

int FakeOutlook::callCount(const std::string& call) const {
  int n = 0;
  for (const std::string& made : state_->calls)
    n += matches(made, call) ? 1 : 0;
  return n;
}

const std::vector<std::string>& FakeOutlook::timeline() const {
  return state_->timeline;
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
