// The page the program ships, in the real window: it is served whole (style
// sheet, script and icon included) and a run started from it works.

#include <gtest/gtest.h>

#include "app/compiled_pages.h"
#include "tests/support/job_harness.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using window_testing::WindowHarness;

TEST(ProgramPage, IsServedWithEverythingItUses) {
  WindowHarness h(gtk::compiledInPages());
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  EXPECT_EQ(h.page("return document.title;").toString(), "Borvanta 연락처 정리");
  EXPECT_EQ(h.page("return document.characterSet;").toString(), "UTF-8");
  // The style sheet applies: the start link is drawn as a button.
  EXPECT_EQ(h.page("return getComputedStyle(document.getElementById('start')).color;").toString(),
            "rgb(255, 255, 255)");
  const auto iconLoaded = [&] {
    return h
        .page(
            "const icon = document.querySelector('header img');"
            "return icon.complete && icon.naturalWidth > 0;")
        .toBool();
  };
  EXPECT_TRUE(window_testing::waitUntil(iconLoaded));
  // The page's script runs: a switched-off pass fades its choices.
  EXPECT_TRUE(h.page("return document.querySelector('[data-follows=cbResetDisplayName]')"
                     ".classList.contains('off');")
                  .toBool());
}

TEST(ProgramPage, ARunFromItWorksOnTheContacts) {
  // The page's own defaults: names separated, numbers hyphenated, country
  // codes removed; the bar 280 pixels wide.
  PageSettings defaults;
  defaults.separateName = defaults.resetNumber = defaults.resetNationalNumber = true;
  defaults.progressWidth = 280;
  testing_support::JobHarness expected(defaults);
  WindowHarness h(gtk::compiledInPages());
  for (auto* outlook : {&expected.outlook, &h.outlook}) {
    outlook->addContact({{om::ContactProperty::FirstName, u"남궁민수"},
                         {om::ContactProperty::MobileTelephoneNumber, u"+82 10-1234-5678"}});
  }
  ASSERT_EQ(expected.run(), RunOutcome::Completed);

  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  h.follow("start");
  ASSERT_TRUE(window_testing::waitUntil([&] { return !h.app.job().isRunning(); }));
  EXPECT_TRUE(h.boxes.boxes.empty());
  EXPECT_EQ(h.outlook.entry(0).saved, expected.outlook.entry(0).saved);
  EXPECT_EQ(window_testing::logTexts(h.view()).size(), expected.log().size());
  EXPECT_EQ(
      h.page("return document.querySelector('.track').getAttribute('aria-valuenow');").toString(),
      "100");
}

}  // namespace
}  // namespace borvanta
