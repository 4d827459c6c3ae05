#pragma once
// An object model that passes every call through to another and reports
// each contact save that succeeded, with the item's place in the folder.
// The crash test uses it to learn how far a run had come when it was killed.

#include <functional>
#include <utility>

#include "outlook/object_model.h"

namespace borvanta::vcard::vcardtest {

using SaveListener = std::function<void(std::size_t item, om::ContactItem& saved)>;

namespace detail {

template <class Interface>
class Wrapper : public Interface {
 public:
  explicit Wrapper(Ref<Interface> inner, SaveListener* listener)
      : inner_(std::move(inner)), listener_(listener) {}
  Result<Ref<ComObject>> queryInterface(const Guid& iid) override {
    if (iid == Interface::interfaceId || iid == IID_IUnknown) return {S_OK, Ref<ComObject>(this)};
    return {E_NOINTERFACE, nullptr};
  }
  std::optional<std::u16string> errorDescription(const Guid& iid) const override {
    return inner_->errorDescription(iid);
  }
  Interface& inner() { return *inner_; }

 protected:
  Ref<Interface> inner_;
  SaveListener* listener_;
};

template <class Interface, class Wrapped>
Result<Ref<Interface>> wrap(Result<Ref<Interface>> result, SaveListener* listener) {
  if (!result.value) return result;
  return {result.hr, Ref<Interface>(makeRef<Wrapped>(result.value, listener))};
}

class Item final : public Wrapper<om::ContactItem> {
 public:
  Item(Ref<om::ContactItem> inner, SaveListener* listener, std::size_t index)
      : Wrapper(std::move(inner), listener), index_(index) {}
  Result<om::Bstr> get(om::ContactProperty p) override { return inner_->get(p); }
  HRESULT put(om::ContactProperty p, std::u16string_view v) override { return inner_->put(p, v); }
  HRESULT save() override {
    const HRESULT hr = inner_->save();
    if (succeeded(hr)) (*listener_)(index_, *inner_);
    return hr;
  }

 private:
  std::size_t index_;
};

class Items final : public Wrapper<om::Items> {
 public:
  using Wrapper::Wrapper;
  Result<Ref<ComObject>> getFirst() override {
    next_ = 0;
    return item(inner_->getFirst());
  }
  Result<Ref<ComObject>> getNext() override { return item(inner_->getNext()); }
  Result<std::int32_t> count() override { return inner_->count(); }

 private:
  Result<Ref<ComObject>> item(Result<Ref<ComObject>> result) {
    const std::size_t index = next_++;
    if (!result.value) return result;
    Result<Ref<om::ContactItem>> contact = queryAs<om::ContactItem>(*result.value);
    if (!contact.value) return result;  // not a contact: handed over as it is
    return {result.hr, makeRef<Item>(contact.value, listener_, index)};
  }
  std::size_t next_ = 0;
};

class Folder final : public Wrapper<om::MAPIFolder> {
 public:
  using Wrapper::Wrapper;
  Result<Ref<om::Items>> items() override {
    return wrap<om::Items, Items>(inner_->items(), listener_);
  }
};

class NameSpace final : public Wrapper<om::NameSpace> {
 public:
  using Wrapper::Wrapper;
  Result<Ref<om::MAPIFolder>> getDefaultFolder(std::int32_t type) override {
    return wrap<om::MAPIFolder, Folder>(inner_->getDefaultFolder(type), listener_);
  }
  Result<Ref<om::MAPIFolder>> pickFolder() override {
    return wrap<om::MAPIFolder, Folder>(inner_->pickFolder(), listener_);
  }
};

class Application final : public Wrapper<om::Application> {
 public:
  using Wrapper::Wrapper;
  Result<Ref<om::NameSpace>> getNamespace(std::u16string_view type) override {
    return wrap<om::NameSpace, NameSpace>(inner_->getNamespace(type), listener_);
  }
};

}  // namespace detail

class SaveReportingRuntime final : public om::ComRuntime {
 public:
  SaveReportingRuntime(om::ComRuntime& inner, SaveListener listener)
      : inner_(inner), listener_(std::move(listener)) {}

  Result<Ref<ComObject>> createInstance(const Guid& clsid) override {
    Result<Ref<ComObject>> created = inner_.createInstance(clsid);
    if (!created.value) return created;
    Ref<om::Application> application = queryAs<om::Application>(*created.value).value;
    if (!application) return created;
    return {created.hr, makeRef<detail::Application>(application, &listener_)};
  }
  HRESULT run(ComObject& object) override {
    auto* wrapper = dynamic_cast<detail::Application*>(&object);
    return wrapper != nullptr ? inner_.run(wrapper->inner()) : inner_.run(object);
  }

 private:
  om::ComRuntime& inner_;
  SaveListener listener_;
};

}  // namespace borvanta::vcard::vcardtest
