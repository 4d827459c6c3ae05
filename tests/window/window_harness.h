#pragma once
// Driving the real window in the functional tests: fixture pages served by the
// page scheme, message boxes recorded instead of shown, the main context
// iterated until something has happened, and the page's own scripts and the
// pointer used the way a user would.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/borvanta_app.h"
#include "app/script_call.h"
#include "tests/support/fake_outlook.h"

namespace borvanta::window_testing {

// The pages of tests/window/pages, served under /application/borvanta/1.0/;
// `mainPage` answers for contact_sort.html.
[[nodiscard]] gtk::PageSource fixturePages(std::string mainPage = "contact_sort.html");

// The address of a fixture page next to the main page.
[[nodiscard]] std::string fixtureAddress(std::string_view name);

// Iterates the default main context until `done()` holds. Gives up (false)
// only after a limit far beyond any normal wait, so that a broken test fails
// instead of hanging.
[[nodiscard]] bool waitUntil(const std::function<bool()>& done);

struct ShownBox {
  GtkWindow* owner;     // null for a box without owner
  std::string text;     // UTF-8
  std::string caption;  // UTF-8
};

// Records every box instead of showing it.
class RecordingPresenter : public gtk::MessagePresenter {
 public:
  void show(GtkWindow* owner, std::string_view text, std::string_view caption) override {
    boxes.push_back({owner, std::string(text), std::string(caption)});
    if (onShow) onShow();
  }
  std::vector<ShownBox> boxes;
  // Runs while a box is "open": what happens while the user reads it.
  std::function<void()> onShow;
};

// The visible top-level window of `type` (a message box, a file chooser);
// null when none is shown.
[[nodiscard]] GtkWidget* visibleToplevel(GType type);

// Selects `file` in an open file chooser and presses its Open button once the
// chooser has taken the file (it reads the folder first, and refuses Open
// until then). False while it has not taken it yet: call again later.
[[nodiscard]] bool acceptFile(GtkWidget* chooser, const std::filesystem::path& file);

// Runs `body` in the page's own script world, as a page script would, and
// waits for its result.
gtk::ScriptValue pageScript(WebKitWebView* view, std::string_view body,
                            std::initializer_list<gtk::ScriptArgument> arguments = {});

// A double-click with the first button at client point x, y of `view`,
// delivered as pointer events from the display.
void doubleClick(GtkWidget* view, int x, int y);

// The visible text of each log line of a page (what follows "idLog" up to the
// page's next element with an id, split at each <BR>), newest first.
[[nodiscard]] std::vector<std::string> logTexts(WebKitWebView* view);

// The application over the test object model (or another runtime) and the
// fixture pages, with its main window made and shown.
class WindowHarness {
 public:
  explicit WindowHarness(std::string mainPage = "contact_sort.html");
  // Contacts from `runtime`, or from `outlook` when it is null.
  explicit WindowHarness(gtk::PageSource pages, om::ComRuntime* runtime = nullptr);
  ~WindowHarness();

  [[nodiscard]] WebKitWebView* view() const { return dialog.browser.view(); }
  [[nodiscard]] std::string uri() const;
  // Waits until a document at `address` has completed loading.
  [[nodiscard]] bool waitForDocument(std::string_view address);

  gtk::ScriptValue page(std::string_view body,
                        std::initializer_list<gtk::ScriptArgument> arguments = {}) {
    return pageScript(view(), body, arguments);
  }
  void setChecked(std::string_view id, bool checked);
  // Follows the link with id `id` (its click() in the page).
  void follow(std::string_view id);

  testing_support::FakeOutlook outlook;
  RecordingPresenter boxes;
  // What the front end does after each run; nothing unless a test sets it.
  AfterRun afterRun;
  CBorvantaApp app;
  CBorvantaDlg& dialog;
};

}  // namespace borvanta::window_testing
