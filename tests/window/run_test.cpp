// Runs started from the page in the real window: the job works on the page the
// browser shows and on the contacts, the start navigation is cancelled, a
// second start during a run is refused, failures are told in boxes the window
// owns, and contact text stays text.

#include <gtest/gtest.h>

#include <regex>

#include "app/page_scheme.h"
#include "core/utf.h"
#include "tests/support/job_harness.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using om::ContactProperty;
using testing_support::FakeOutlook;
using window_testing::WindowHarness;

// Twelve contacts, so that the run pumps messages (every tenth contact) and
// every pass has something to do.
void addContacts(FakeOutlook& outlook) {
  const char16_t* names[] = {u"김철수", u"남궁민수", u"이영희", u"박지성", u"최민호", u"정수진",
                             u"강동원", u"조인성",   u"윤아름", u"장보고", u"임꺽정", u"홍길동"};
  int n = 0;
  for (const char16_t* name : names) {
    outlook.addContact(
        {{ContactProperty::FirstName, name},
         {ContactProperty::MobileTelephoneNumber, n % 2 == 0 ? u"+821012345678" : u"01098765432"},
         {ContactProperty::CompanyName, u"삼성"}});
    ++n;
  }
}

// The text a log line shows: its HTML (UTF-8) without tags, entities decoded.
std::string visibleText(const std::string& html) {
  std::string text = std::regex_replace(html, std::regex("<[^>]*>"), "");
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
      text.replace(at, std::string_view(entity).size(), character);
    }
  }
  return text;
}

// The passes the page asks for: every one.
const char* const passBoxes[] = {"cbSeperateName", "cbResetNumber", "cbResetNationalNumber",
                                 "cbResetFullName", "cbResetDisplayName"};

PageSettings everyPass() {
  PageSettings settings;
  settings.separateName = settings.resetNumber = settings.resetNationalNumber = true;
  settings.resetFullName = settings.resetDisplayName = true;
  return settings;
}

const std::string completed = "완료하였습니다!";
const std::string refused = "이미 정리가 진행 중입니다. 끝난 뒤에 다시 시작하세요.";

bool runFinished(WindowHarness& h) {
  return window_testing::waitUntil([&] { return !h.app.job().isRunning(); });
}

TEST(WindowRun, TheStartLinkRunsTheJobOnThePageAndTheContacts) {
  // The same run in memory says what the page and the contacts must show.
  testing_support::JobHarness expected(everyPass());
  addContacts(expected.outlook);
  ASSERT_EQ(expected.run(), RunOutcome::Completed);

  WindowHarness h;
  addContacts(h.outlook);
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  for (const char* box : passBoxes)
    h.setChecked(box, true);
  h.follow("start");
  ASSERT_TRUE(runFinished(h));

  std::vector<std::string> lines;
  for (const std::string& line : expected.log())
    lines.insert(lines.begin(), visibleText(line));
  EXPECT_EQ(window_testing::logTexts(h.view()), lines);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), completed);

  std::string widths;
  for (std::int32_t width : expected.progress())
    widths += (widths.empty() ? "" : ",") + std::to_string(width);
  EXPECT_EQ(h.page("return window.progressWidths.join(',');").toString(), widths);

  ASSERT_EQ(h.outlook.entryCount(), expected.outlook.entryCount());
  for (std::size_t i = 0; i < h.outlook.entryCount(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(h.outlook.entry(i).saved, expected.outlook.entry(i).saved);
    EXPECT_EQ(h.outlook.entry(i).saves, expected.outlook.entry(i).saves);
  }
  EXPECT_NE(h.outlook.entry(0).value(ContactProperty::MobileTelephoneNumber), u"+821012345678");

  // The start navigation was cancelled: the same page, with its controls as
  // the user left them, and no document until one completes again.
  EXPECT_EQ(h.uri(), gtk::pageAddress);
  EXPECT_TRUE(h.page("return document.getElementById('cbResetNumber').checked;").toBool());
  EXPECT_FALSE(h.dialog.loadedDocument);
  EXPECT_TRUE(h.boxes.boxes.empty());
}

TEST(WindowRun, AnAddressContainingTheStartAddressStartsARun) {
  const char* const addresses[] = {
      "function://contact_sort_start",
      "function://contact_sort_start/",
      "function://contact_sort_start?from=page",
      "function://contact_sort_start#top",
      "borvanta://app/go?next=function://contact_sort_start",
  };
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  int runs = 0;
  for (const char* address : addresses) {
    SCOPED_TRACE(address);
    (void)h.page(R"(
      const link = document.createElement('a');
      link.href = address;
      document.body.appendChild(link);
      link.click();
      return true;)",
                 {{"address", std::string_view(address)}});
    ASSERT_TRUE(runFinished(h));
    ++runs;
    EXPECT_EQ(h.outlook.callCount("CoCreateInstance"), runs);
    const std::vector<std::string> log = window_testing::logTexts(h.view());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), completed);
    EXPECT_EQ(h.uri(), gtk::pageAddress);
  }
}

gboolean recordNavigation(WebKitWebView*, WebKitPolicyDecision* decision,
                          WebKitPolicyDecisionType type, gpointer seen) {
  if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    static_cast<std::vector<std::string>*>(seen)->push_back(
        webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
  }
  return FALSE;
}

TEST(WindowRun, AnAddressWithoutTheExactStartTextStartsNoRun) {
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  std::vector<std::string> seen;
  g_signal_connect(h.view(), "decide-policy", G_CALLBACK(recordNavigation), &seen);
  // The comparison is exact: the path of the address keeps its case.
  const std::string address = "function://CONTACT_SORT_START";
  h.dialog.browser.Navigate2(address);
  ASSERT_TRUE(window_testing::waitUntil(
      [&] { return std::find(seen.begin(), seen.end(), address) != seen.end(); }));
  EXPECT_EQ(h.outlook.callCount("CoCreateInstance"), 0);
  EXPECT_FALSE(h.app.job().isRunning());
}

TEST(WindowRun, ASecondStartDuringARunIsRefused) {
  PageSettings settings;
  settings.resetNumber = true;
  testing_support::JobHarness expected(settings);
  addContacts(expected.outlook);
  ASSERT_EQ(expected.run(), RunOutcome::Completed);

  WindowHarness h;
  addContacts(h.outlook);
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  h.setChecked("cbResetNumber", true);
  // The page asks for another run as soon as the first log line appears.
  (void)h.page(R"(
    let asked = false;
    new MutationObserver(() => {
      if (asked) return;
      asked = true;
      document.getElementById('start').click();
    }).observe(document.getElementById('logBox'), {childList: true});
    return true;)");
  int afterRuns = 0;
  h.afterRun = [&](OwnerWindow&) { ++afterRuns; };
  h.follow("start");
  ASSERT_TRUE(runFinished(h));

  const std::vector<std::string> log = window_testing::logTexts(h.view());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), completed);
  EXPECT_EQ(std::count(log.begin(), log.end(), refused), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), completed), 1);
  // The refusal came while the run was busy, and the run was not disturbed.
  EXPECT_NE(std::find(log.begin(), log.end(), refused), log.end() - 1);
  EXPECT_EQ(h.outlook.callCount("CoCreateInstance"), 1);
  EXPECT_EQ(log.size(), expected.log().size() + 1);
  for (std::size_t i = 0; i < h.outlook.entryCount(); ++i) {
    EXPECT_EQ(h.outlook.entry(i).saves, expected.outlook.entry(i).saves) << i;
  }
  EXPECT_EQ(h.uri(), gtk::pageAddress);
  EXPECT_TRUE(h.boxes.boxes.empty());
  EXPECT_EQ(afterRuns, 1);
}

TEST(WindowRun, TheFrontEndsOwnStepFollowsEachRunWithTheWindowAsOwner) {
  WindowHarness h;
  addContacts(h.outlook);
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  struct Seen {
    bool running;
    std::string newestLine;
  };
  std::vector<Seen> seen;
  h.afterRun = [&](OwnerWindow& owner) {
    seen.push_back({h.app.job().isRunning(), window_testing::logTexts(h.view()).front()});
    owner.messageBox("saved", owner.applicationName());
  };
  for (int run = 1; run <= 2; ++run) {
    h.follow("start");
    ASSERT_TRUE(window_testing::waitUntil([&] { return seen.size() == std::size_t(run); }));
  }
  for (const Seen& after : seen) {
    EXPECT_FALSE(after.running);
    EXPECT_EQ(after.newestLine, completed);
  }
  ASSERT_EQ(h.boxes.boxes.size(), 2u);
  EXPECT_EQ(h.boxes.boxes[1].owner, h.dialog.window());
  EXPECT_EQ(h.boxes.boxes[1].text, "saved");
}

TEST(WindowRun, AFailedLoadShowsItsBoxOwnedByTheWindow) {
  WindowHarness h;
  addContacts(h.outlook);
  h.outlook.failCall("NameSpace.GetDefaultFolder", E_FAIL, u"주소록 파일을 열 수 없습니다");
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  h.follow("start");
  ASSERT_TRUE(runFinished(h));
  ASSERT_EQ(h.boxes.boxes.size(), 1u);
  EXPECT_EQ(h.boxes.boxes[0].owner, h.dialog.window());
  EXPECT_EQ(h.boxes.boxes[0].text, "주소록 파일을 열 수 없습니다");
  EXPECT_EQ(h.boxes.boxes[0].caption, "borvanta");
  EXPECT_EQ(h.outlook.entry(0).saves, 0);
}

gboolean countScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer count) {
  ++*static_cast<int*>(count);
  return TRUE;
}

TEST(WindowRun, AContactNameIsShownAsTextAndRunsNoScript) {
  const std::string name = "<img src=x onerror=alert(1)>";
  WindowHarness h;
  h.outlook.addContact({{ContactProperty::FirstName, utf8ToUtf16(name)}});
  int scriptDialogs = 0;
  g_signal_connect(h.view(), "script-dialog", G_CALLBACK(countScriptDialog), &scriptDialogs);
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  h.setChecked("cbSeperateName", true);
  h.follow("start");
  ASSERT_TRUE(runFinished(h));

  const std::vector<std::string> log = window_testing::logTexts(h.view());
  EXPECT_NE(std::find(log.begin(), log.end(), "냅둠 (" + name + ")"), log.end());
  EXPECT_EQ(h.page("return document.querySelectorAll('#logBox img').length;").toInt32(), 0);
  // A broken image that does run its handler fails to load as fast, and is
  // seen to run: by then the contact's would have run too.
  (void)h.page(R"(
    document.body.insertAdjacentHTML('beforeend', '<img src=y onerror="window.control = 1">');
    return true;)");
  ASSERT_TRUE(
      window_testing::waitUntil([&] { return h.page("return window.control;").toInt32() == 1; }));
  EXPECT_EQ(scriptDialogs, 0);
}

}  // namespace
}  // namespace borvanta
