#include <gtest/gtest.h>

#include "core/com_error.h"
#include "core/com_object.h"

namespace borvanta {
namespace {

inline constexpr Guid IID_Sample{0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};

class Sample : public ComObject {
 public:
  static constexpr const Guid& interfaceId = IID_Sample;
  explicit Sample(int* destroyed) : destroyed_(destroyed) {}
  ~Sample() override { ++*destroyed_; }
  Result<Ref<ComObject>> queryInterface(const Guid& id) override {
    if (id == IID_Sample) return {S_OK, Ref<ComObject>(this)};
    return ComObject::queryInterface(id);
  }
  std::optional<std::u16string> errorDescription(const Guid& id) const override {
    if (id == IID_Sample) return u"없음";
    return std::nullopt;
  }

 private:
  int* destroyed_;
};

TEST(Ref, ReleasesOnResetReplacementAndDestruction) {
  int destroyed = 0;
  {
    Ref<Sample> a = makeRef<Sample>(&destroyed);
    Ref<Sample> b = a;
    EXPECT_EQ(a->referenceCount(), 2u);
    b.reset();
    EXPECT_EQ(a->referenceCount(), 1u);
    Ref<ComObject> base = a;  // an upcast takes its own reference
    a = makeRef<Sample>(&destroyed);
    EXPECT_EQ(destroyed, 0);
    base.reset();
    EXPECT_EQ(destroyed, 1);
  }
  EXPECT_EQ(destroyed, 2);
}

TEST(Ref, QueryAsAnswersOnlyImplementedInterfaces) {
  int destroyed = 0;
  Ref<ComObject> object = makeRef<Sample>(&destroyed);
  Result<Ref<Sample>> sample = queryAs<Sample>(*object);
  EXPECT_EQ(sample.hr, S_OK);
  EXPECT_EQ(sample.value.get(), object.get());
  EXPECT_EQ(object->queryInterface(IID_IUnknown).hr, S_OK);
  EXPECT_EQ(object->queryInterface(Guid{}).hr, E_NOINTERFACE);
}

TEST(ComError, CarriesCodeInterfaceAndTheObjectsDescription) {
  int destroyed = 0;
  Ref<Sample> object = makeRef<Sample>(&destroyed);
  EXPECT_NO_THROW(raiseOnFailure(S_FALSE, object.get(), IID_Sample));
  try {
    raiseOnFailure(E_FAIL, object.get(), IID_Sample);
    FAIL() << "nothing raised";
  } catch (const _com_error& error) {
    EXPECT_EQ(error.Error(), E_FAIL);
    EXPECT_EQ(error.interfaceId(), IID_Sample);
    EXPECT_EQ(error.Description(), std::u16string(u"없음"));
  }
  try {
    raiseOnFailure(E_POINTER, nullptr, IID_Sample);
    FAIL() << "nothing raised";
  } catch (const _com_error& error) {
    EXPECT_EQ(error.Error(), E_POINTER);
    EXPECT_FALSE(error.Description().has_value());
  }
}

TEST(ComError, TextForms) {
  EXPECT_EQ(hresultText(E_POINTER), "0x80004003");
  EXPECT_EQ(toString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
}

}  // namespace
}  // namespace borvanta
