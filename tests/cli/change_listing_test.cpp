// The listing of a dry run: counts, names and values as a terminal shows them.

#include "cli/change_listing.h"

#include <gtest/gtest.h>

namespace borvanta::cli {
namespace {

using om::ContactProperty;

TEST(ChangeListing, SaysSoWhenNothingWouldChange) {
  EXPECT_EQ(changeListing({}, "주소록.vcf"),
            "Dry run: no contact would change; nothing was written to 주소록.vcf\n");
}

TEST(ChangeListing, ShowsEachPropertyAsBeforeAndAfterWithEmptyValuesVisible) {
  const std::vector<vcard::ContactChanges> contacts = {
      {"김철수",
       {{ContactProperty::LastName, "", "김"}, {ContactProperty::FirstName, "김철수", "철수"}}}};
  EXPECT_EQ(changeListing(contacts, "a.vcf"),
            "Dry run: 1 contact would change; nothing was written to a.vcf\n"
            "김철수\n"
            "  LastName: \"\" -> \"김\"\n"
            "  FirstName: \"김철수\" -> \"철수\"\n");
}

TEST(ChangeListing, KeepsEveryNameAndValueOnItsOwnLine) {
  const std::vector<vcard::ContactChanges> contacts = {
      {"<b>x</b>\n\x1b[2J", {{ContactProperty::FileAs, "a\r\nb", "a b"}}},
      {"이영희", {{ContactProperty::FullName, "이 영희", "이영희"}}}};
  EXPECT_EQ(changeListing(contacts, "a.vcf"),
            "Dry run: 2 contacts would change; nothing was written to a.vcf\n"
            "<b>x</b>  [2J\n"
            "  FileAs: \"a  b\" -> \"a b\"\n"
            "이영희\n"
            "  FullName: \"이 영희\" -> \"이영희\"\n");
}

}  // namespace
}  // namespace borvanta::cli
