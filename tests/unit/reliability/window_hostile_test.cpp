// Hostile contact text through the window, on the page the program ships:
// markup and script in every field the log shows, a NUL inside a name, text
// that is not Unicode, characters the Korean code page lacks, a name of a
// megabyte, and an error whose description is markup. The page shows every
// one of them as characters: no element of a contact's making appears in the
// log, no script of a contact's making runs, no "?" reaches a contact.

#include <gtest/gtest.h>

#include "app/compiled_pages.h"
#include "app/page_scheme.h"
#include "core/utf.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using window_testing::WindowHarness;

const char* const kPassBoxes[] = {"cbSeperateName", "cbResetNumber", "cbResetNationalNumber",
                                  "cbResetFullName", "cbResetDisplayName"};

gboolean countScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer count) {
  ++*static_cast<int*>(count);
  return TRUE;
}

// The program's page in the window, with every pass ticked, watching for
// script dialogs.
class HostileWindow : public ::testing::Test {
 protected:
  HostileWindow() : h(gtk::compiledInPages()) {
    g_signal_connect(h.view(), "script-dialog", G_CALLBACK(countScriptDialog), &scriptDialogs);
  }

  void run() {
    ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
    for (const char* box : kPassBoxes)
      h.setChecked(box, true);
    h.follow("start");
    ASSERT_TRUE(window_testing::waitUntil([&] { return !h.app.job().isRunning(); }));
  }

  // Every element between the log heading and the page's next element is one
  // of the program's own (B, FONT, BR); the names of any others.
  std::string foreignElements() {
    return h
        .page(R"(
          const foreign = [];
          for (let node = document.getElementById('idLog').nextSibling;
               node && !(node.nodeType === Node.ELEMENT_NODE && node.id);
               node = node.nextSibling) {
            if (node.nodeType !== Node.ELEMENT_NODE) continue;
            for (const element of [node, ...node.querySelectorAll('*')]) {
              if (!['B', 'FONT', 'BR'].includes(element.tagName)) foreign.push(element.tagName);
            }
          }
          return foreign.join(',');)")
        .toString();
  }

  // No handler of a contact's making ran: a broken image of the page's own,
  // whose handler does run, has had its turn by the time this returns.
  void expectNoContactScriptRan() {
    (void)h.page(R"(
      document.body.insertAdjacentHTML('beforeend', '<img src=y onerror="window.control = 1">');
      return true;)");
    ASSERT_TRUE(
        window_testing::waitUntil([&] { return h.page("return window.control;").toInt32() == 1; }));
    EXPECT_EQ(h.page("return typeof window.hacked;").toString(), "undefined");
    EXPECT_EQ(scriptDialogs, 0);
  }

  [[nodiscard]] bool logShows(const std::string& line) {
    const std::vector<std::string> log = window_testing::logTexts(h.view());
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  WindowHarness h;
  int scriptDialogs = 0;
};

TEST_F(HostileWindow, ContactTextIsShownAsCharactersAndNeverRuns) {
  const std::u16string image = u"<img src=x onerror=\"window.hacked=1\">";
  const std::u16string script = u"</h2><script>window.hacked=2</script>";
  const std::u16string svg = u"<svg onload=\"window.hacked=3\"></svg>";
  h.outlook.addContact({{ContactProperty::FirstName, image}});
  h.outlook.addContact({{ContactProperty::LastName, u"김"}, {ContactProperty::FirstName, script}});
  h.outlook.addContact({{ContactProperty::FirstName, u""}, {ContactProperty::CompanyName, svg}});
  // A NUL ends the name; what follows it is never read.
  h.outlook.addContact({{ContactProperty::FirstName, std::u16string(u"이영희\0<b>x</b>", 12)}});
  // A lone surrogate is no text; an emoji has no place in the code page.
  h.outlook.addContact({{ContactProperty::FirstName, std::u16string(u"박") + char16_t{0xD800}}});
  h.outlook.addContact({{ContactProperty::FirstName, u"최😀"},
                        {ContactProperty::MobileTelephoneNumber, u"01012345678"}});
  run();
  EXPECT_TRUE(h.boxes.boxes.empty());
  EXPECT_EQ(foreignElements(), "");
  expectNoContactScriptRan();

  EXPECT_TRUE(logShows("냅둠 (" + utf16ToUtf8(image) + ")"));
  EXPECT_TRUE(logShows("냅둠 (김" + utf16ToUtf8(script) + ")"));
  EXPECT_TRUE(logShows("갱신 (이영희 -> 이,영희)"));
  // The contacts that lost characters are named, with "?" in the log only.
  EXPECT_TRUE(
      logShows("건너뜀 (박?): 한글 코드(CP949)로 나타낼 수 없는 문자가 있어 바꾸지 "
               "않았습니다"));
  EXPECT_TRUE(
      logShows("건너뜀 (최?): 한글 코드(CP949)로 나타낼 수 없는 문자가 있어 바꾸지 "
               "않았습니다"));
  for (std::size_t i = 0; i < h.outlook.entryCount(); ++i) {
    for (const auto& [property, value] : h.outlook.entry(i).saved) {
      EXPECT_EQ(value ? value->find(u'?') : std::u16string::npos, std::u16string::npos)
          << "contact " << i << " " << om::propertyName(property);
    }
  }
  EXPECT_EQ(h.outlook.entry(5).value(ContactProperty::MobileTelephoneNumber), u"010-1234-5678");
  EXPECT_EQ(h.outlook.entry(5).value(ContactProperty::FirstName), u"최😀");
}

TEST_F(HostileWindow, AMegabyteNameIsShownWhole) {
  std::u16string huge;
  while (huge.size() < (1u << 19))  // half a million syllables: a megabyte of code page 949
    huge += u"가나다라마바사";
  h.outlook.addContact({{ContactProperty::FirstName, huge}});
  run();
  EXPECT_TRUE(h.boxes.boxes.empty());
  EXPECT_TRUE(logShows("냅둠 (" + utf16ToUtf8(huge) + ")"));
  EXPECT_EQ(h.outlook.entry(0).value(ContactProperty::FullName), huge);
  EXPECT_EQ(foreignElements(), "");
}

TEST_F(HostileWindow, AStopLineNamesTheContactAndTheErrorAsCharacters) {
  const std::u16string name = u"<img src=x onerror=\"window.hacked=5\">";
  const std::u16string description = u"<script>window.hacked=6</script> 저장 실패";
  // Name separation saves only the second; the telephone pass then saves the
  // first, and that save fails.
  h.outlook.addContact({{ContactProperty::FirstName, name}});
  h.outlook.addContact({{ContactProperty::FirstName, u"김철수"}});
  h.outlook.failCall("ContactItem.Save", E_FAIL, description, 2);
  run();
  // The box shows the description as it is; the page shows both as text.
  ASSERT_EQ(h.boxes.boxes.size(), 1u);
  EXPECT_EQ(h.boxes.boxes[0].text, utf16ToUtf8(description));
  EXPECT_TRUE(logShows(utf16ToUtf8(name) +
                       " 연락처에서 오류가 나서 정리를 멈췄습니다: " + utf16ToUtf8(description)));
  EXPECT_EQ(foreignElements(), "");
  expectNoContactScriptRan();
}

}  // namespace
}  // namespace borvanta
