// The two telephone passes: hyphenation, then country-code removal. Each
// rewrites the four numbers of every contact, saves it, and keeps what it
// wrote in the record, so that the second pass works on the first one's
// result.

#include <array>
#include <optional>
#include <string>

#include "core/cp949.h"
#include "job/log_text.h"
#include "job/passes.h"
#include "job/phone_number.h"

namespace borvanta {

namespace {

struct TelephoneField {
  ContactField field;
  om::ContactProperty property;
};

// In the order they are written.
constexpr std::array<TelephoneField, 4> telephoneFields{{
    {ContactField::MobilePhone, om::ContactProperty::MobileTelephoneNumber},
    {ContactField::HomePhone, om::ContactProperty::HomeTelephoneNumber},
    {ContactField::BusinessFax, om::ContactProperty::BusinessFaxNumber},
    {ContactField::BusinessPhone, om::ContactProperty::BusinessTelephoneNumber},
}};

// Rewrites the four numbers of one record with `rewrite` and saves it. A
// number that lost characters when it was read is left alone and logged.
template <class Rewrite>
bool rewriteNumbers(PassContext& context, ContactRecord& record, Rewrite rewrite) {
  bool wrote = false;
  bool skipped = false;
  for (const TelephoneField& telephone : telephoneFields) {
    if (record.isDamaged(telephone.field)) {
      skipped = true;
      continue;
    }
    std::optional<std::string> changed = rewrite(record.field(telephone.field));
    context.store.put(record, telephone.property,
                      changed ? *changed : record.field(telephone.field));
    if (changed) record.field(telephone.field) = std::move(*changed);
    wrote = true;
  }
  if (wrote) context.store.save(record);
  if (skipped) context.page.appendLog(damagedContactLine(contactLabel(record)));
  return true;
}

}  // namespace

void runPhoneNumberPass(PassContext& context) {
  static const std::string start = cp949("<B>전화번호 정리 시작</B>");
  static const std::string end = cp949("<B>전화번호 정리 완료</B>");
  runPassFrame(context, start, end, [&](ContactRecord& record) {
    return rewriteNumbers(context, record, [](const std::string& value) {
      return normalizedPhoneNumberIfChanged(value);
    });
  });
}

void runCountryCodePass(PassContext& context) {
  static const std::string start = cp949("<B>국가 번호 지우기 시작</B>");
  static const std::string end = cp949("<B>국가 번호 지우기 완료</B>");
  runPassFrame(context, start, end, [&](ContactRecord& record) {
    return rewriteNumbers(context, record, [](const std::string& value) {
      return withoutCountryCodeIfChanged(value);
    });
  });
}

}  // namespace borvanta
