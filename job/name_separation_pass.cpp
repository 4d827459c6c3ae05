// The name-separation pass: every contact's family and given name joined,
// split by the surname table, and stored as the chosen separation type says.

#include "core/cp949.h"
#include "core/text.h"
#include "job/display_name.h"
#include "job/log_text.h"
#include "job/name_separation.h"
#include "job/passes.h"

namespace borvanta {

namespace {

struct NameLines {
  std::string start = cp949("<B>성, 이름 처리 시작</B>");
  std::string end = cp949("<B>성, 이름 처리 완료</B>");
  std::string updateSplit = cp949("갱신 (%s -> %s,%s)");
  std::string updateToLast = cp949("갱신 (%s -> %s,)");
  std::string updateToFirst = cp949("갱신 (%s -> ,%s)");
  std::string keep = cp949("냅둠 (%s)");
  std::string move = cp949("이동 (%s)");
};

const NameLines& lines() {
  static const NameLines text;
  return text;
}

void writeNames(PassContext& context, ContactRecord& record) {
  context.store.put(record, om::ContactProperty::LastName, record.lastName);
  context.store.put(record, om::ContactProperty::FirstName, record.firstName);
  context.store.save(record);
}

// Surname and given name found: store them as every chosen type says.
void update(PassContext& context, ContactRecord& record, const std::string& joined,
            const SplitName& split) {
  const CleanupOptions& o = context.options;
  const std::string name = htmlEscape(joined);
  std::string line;
  if (o.separateType1 != 0) {
    line = formatText(lines().updateSplit.c_str(), name.c_str(), htmlEscape(split.surname).c_str(),
                      htmlEscape(split.givenName).c_str());
    record.lastName = split.surname;
    record.firstName = split.givenName;
  }
  if (o.separateType2 != 0) {
    line = formatText(lines().updateToLast.c_str(), name.c_str(), name.c_str());
    record.lastName = composeName(split.surname, split.givenName, o.nameType);
    record.firstName.clear();
  }
  if (o.separateType3 != 0) {
    line = formatText(lines().updateToFirst.c_str(), name.c_str(), name.c_str());
    record.firstName = composeName(split.surname, split.givenName, o.nameType);
    record.lastName.clear();
  }
  writeNames(context, record);
  context.page.appendLog(line);
}

// No split: type 1 leaves the contact alone; types 2 and 3 move the whole
// name into one field.
void keepWhole(PassContext& context, ContactRecord& record, const std::string& joined) {
  const CleanupOptions& o = context.options;
  const std::string name = htmlEscape(joined);
  if (o.separateType1 != 0) context.page.appendLog(formatText(lines().keep.c_str(), name.c_str()));
  if (o.separateType2 != 0) {
    record.lastName = joined;
    record.firstName.clear();
    writeNames(context, record);
    context.page.appendLog(formatText(lines().move.c_str(), name.c_str()));
  }
  if (o.separateType3 != 0) {
    record.firstName = joined;
    record.lastName.clear();
    writeNames(context, record);
    context.page.appendLog(formatText(lines().move.c_str(), name.c_str()));
  }
}

// Work on one record; true when it counts (it took the update outcome).
bool separate(PassContext& context, ContactRecord& record) {
  const std::string joined = record.lastName + record.firstName;
  if (record.isDamaged(ContactField::LastName) || record.isDamaged(ContactField::FirstName)) {
    context.page.appendLog(damagedContactLine(joined));
    return false;
  }
  const SplitName split = splitFullName(joined);
  const std::size_t given = split.givenName.size();
  if (!split.surname.empty() && (given == 2 || given == 4)) {
    update(context, record, joined, split);
    return true;
  }
  keepWhole(context, record, joined);
  return false;
}

}  // namespace

void runNameSeparationPass(PassContext& context) {
  runPassFrame(context, lines().start, lines().end,
               [&](ContactRecord& record) { return separate(context, record); });
}

}  // namespace borvanta
