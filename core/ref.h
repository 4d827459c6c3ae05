#pragma once
// Counted references. An object that derives from RefCounted lives as long as
// some Ref<T> holds it: a Ref takes a reference when it is given an object and
// gives it back when it is replaced, reset or destroyed.

#include <cstdint>
#include <type_traits>
#include <utility>

namespace borvanta {

class RefCounted {
 public:
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  // Virtual so that an object model can watch its references (the test object
  // model counts them to prove that nothing leaks).
  virtual std::uint32_t addRef() noexcept { return ++references_; }
  virtual std::uint32_t release() noexcept {
    const std::uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }
  [[nodiscard]] std::uint32_t referenceCount() const noexcept { return references_; }

 protected:
  RefCounted() = default;
  virtual ~RefCounted() = default;

 private:
  std::uint32_t references_ = 0;
};

template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}  // NOLINT: a null reference converts implicitly
  explicit Ref(T* object) noexcept : object_(object) {
    if (object_) object_->addRef();
  }
  Ref(const Ref& other) noexcept : Ref(other.object_) {}
  Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& other) noexcept : Ref(other.get()) {}  // NOLINT: upcast
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(Ref<U>&& other) noexcept : object_(other.detach()) {}  // NOLINT: upcast
  ~Ref() { reset(); }

  Ref& operator=(Ref other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  // Gives the reference back; the field is empty before the object is
  // released, so a release that re-enters sees an empty field.
  void reset() noexcept {
    if (T* old = std::exchange(object_, nullptr)) old->release();
  }
  [[nodiscard]] T* detach() noexcept { return std::exchange(object_, nullptr); }

  [[nodiscard]] T* get() const noexcept { return object_; }
  T* operator->() const noexcept { return object_; }
  T& operator*() const noexcept { return *object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.object_ == b.object_; }
  friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.object_ == nullptr; }

 private:
  T* object_ = nullptr;
};

template <class T, class... Args>
[[nodiscard]] Ref<T> makeRef(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}

}  // namespace borvanta
