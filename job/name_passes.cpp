// The full-name and display-name passes: each composes one property of every
// contact from the record's fields, as the earlier passes left them.

#include "core/cp949.h"
#include "job/display_name.h"
#include "job/log_text.h"
#include "job/passes.h"

namespace borvanta {

void runFullNamePass(PassContext& context) {
  static const std::string start = cp949("<B>전체 이름 변경 시작</B>");
  static const std::string end = cp949("<B>전체 이름 변경 완료</B>");
  runPassFrame(context, start, end, [&](ContactRecord& record) {
    if (record.isDamaged(ContactField::LastName) || record.isDamaged(ContactField::FirstName)) {
      context.page.appendLog(damagedContactLine(contactLabel(record)));
      return true;
    }
    context.store.put(record, om::ContactProperty::FullName,
                      composeName(record.lastName, record.firstName, context.options.nameType));
    context.store.save(record);
    return true;
  });
}

void runDisplayNamePass(PassContext& context) {
  static const std::string start = cp949("<B>표시 이름 변경 시작</B>");
  static const std::string end = cp949("<B>표시 이름 변경 완료</B>");
  const std::string& templateText = chosenDisplayTemplate(context.options);
  runPassFrame(context, start, end, [&](ContactRecord& record) {
    const DisplayName name = buildDisplayName(templateText, record, context.options.nameType);
    if (name.usesDamagedField) {
      context.page.appendLog(damagedContactLine(contactLabel(record)));
      return true;
    }
    context.store.put(record, om::ContactProperty::FileAs, name.text);
    context.store.save(record);
    return true;
  });
}

}  // namespace borvanta
