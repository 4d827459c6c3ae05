// The main window as a user meets it: its frame, the page it shows, links that
// navigate, double-clicks, and closing it.

#include <gtest/gtest.h>

#include "app/dialog_units.h"
#include "app/page_scheme.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using window_testing::fixtureAddress;
using window_testing::WindowHarness;

TEST(MainWindow, ShowsThePageInAFixedWindowOfItsOwn) {
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  EXPECT_EQ(h.page("return document.title;").toString(), "contact sort fixture");

  GtkWindow* window = h.dialog.window();
  EXPECT_STREQ(gtk_window_get_title(window), "Borvanta v1.0 Beta");
  EXPECT_FALSE(gtk_window_get_resizable(window));
  EXPECT_FALSE(gtk_window_get_skip_taskbar_hint(window));
  EXPECT_EQ(gtk_window_get_type_hint(window), GDK_WINDOW_TYPE_HINT_NORMAL);
  EXPECT_EQ(gtk_window_get_transient_for(window), nullptr);

  // The browser fills the client area, 283 x 235 dialog units.
  GtkAllocation area;
  gtk_widget_get_allocation(GTK_WIDGET(window), &area);
  EXPECT_EQ(area.width, 425);
  EXPECT_EQ(area.height, 353);
  GtkAllocation browser;
  gtk_widget_get_allocation(h.dialog.browser.widget(), &browser);
  EXPECT_EQ(browser.width, area.width);
  EXPECT_EQ(browser.height, area.height);

  GdkWMDecoration decorations{};
  ASSERT_TRUE(gdk_window_get_decorations(gtk_widget_get_window(GTK_WIDGET(window)), &decorations));
  EXPECT_TRUE(decorations & GDK_DECOR_MINIMIZE);
  EXPECT_FALSE(decorations & GDK_DECOR_MAXIMIZE);
  EXPECT_FALSE(decorations & GDK_DECOR_RESIZEH);

  GList* icons = gtk_window_get_icon_list(window);
  EXPECT_EQ(g_list_length(icons), 4u);
  g_list_free(icons);
}

TEST(MainWindow, SizeComesFromDialogUnitsOfTheShellFont) {
  struct Row {
    const char* name;
    std::int32_t units;
    std::int32_t base;
    std::int32_t divisor;
    std::int32_t pixels;
  };
  const Row rows[] = {
      {"width rounds a half up", 283, 6, 4, 425},
      {"height rounds a half up", 235, 12, 8, 353},
      {"exact", 280, 6, 4, 420},
      {"below a half rounds down", 1, 3, 4, 1},
      {"zero", 0, 6, 4, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(mulDivRounded(row.units, row.base, row.divisor), row.pixels);
  }
}

TEST(MainWindow, ALinkToAnotherAddressNavigates) {
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  const std::uint32_t firstCookie = h.dialog.docEventsCookie;
  EXPECT_NE(firstCookie, 0u);
  h.follow("other");
  ASSERT_TRUE(h.waitForDocument(fixtureAddress("other.html")));
  EXPECT_EQ(h.page("return document.getElementById('other').textContent;").toString(),
            "another page");
  EXPECT_EQ(h.outlook.calls().size(), 0u);
  // The new document has the sink connected anew.
  EXPECT_NE(h.dialog.docEventsCookie, 0u);
  EXPECT_NE(h.dialog.docEventsCookie, firstCookie);
}

TEST(MainWindow, ADoubleClickShowsItsClientCoordinates) {
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  window_testing::doubleClick(h.dialog.browser.widget(), 120, 45);
  ASSERT_TRUE(window_testing::waitUntil([&] { return !h.boxes.boxes.empty(); }));
  ASSERT_EQ(h.boxes.boxes.size(), 1u);
  EXPECT_EQ(h.boxes.boxes[0].owner, nullptr);
  EXPECT_EQ(h.boxes.boxes[0].text, "X: 120 Y: 45");
  EXPECT_EQ(h.boxes.boxes[0].caption, "MfcObjMdl");
}

TEST(MainWindow, AfterARunDoubleClicksShowNothingUntilADocumentCompletes) {
  WindowHarness h;
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  h.follow("start");
  ASSERT_TRUE(window_testing::waitUntil([&] { return !h.app.job().isRunning(); }));
  EXPECT_FALSE(h.dialog.loadedDocument);

  const auto pageDoubleClicks = [&] { return h.page("return window.doubleClicks;").toInt32(); };
  window_testing::doubleClick(h.dialog.browser.widget(), 30, 20);
  // Once the page has seen the double-click, the window has had it too.
  ASSERT_TRUE(window_testing::waitUntil([&] { return pageDoubleClicks() == 1; }));
  EXPECT_TRUE(h.boxes.boxes.empty());

  h.dialog.browser.Navigate2(gtk::pageAddress);
  ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
  window_testing::doubleClick(h.dialog.browser.widget(), 30, 20);
  ASSERT_TRUE(window_testing::waitUntil([&] { return !h.boxes.boxes.empty(); }));
  EXPECT_EQ(h.boxes.boxes[0].text, "X: 30 Y: 20");
}

TEST(MainWindow, ClosingTheWindowEndsTheProgram) {
  testing_support::FakeOutlook outlook;
  window_testing::RecordingPresenter boxes;
  CBorvantaApp app(outlook.runtime(), window_testing::fixturePages(), boxes);
  // Once the page is shown, the user closes the window.
  g_timeout_add(
      20,
      [](gpointer data) -> gboolean {
        const CBorvantaDlg* dialog = static_cast<CBorvantaApp*>(data)->mainWindow();
        if (dialog == nullptr || !dialog->loadedDocument) return G_SOURCE_CONTINUE;
        gtk_window_close(dialog->window());
        return G_SOURCE_REMOVE;
      },
      &app);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(app.mainWindow(), nullptr);
}

TEST(MainWindow, TheBrowserIsGivenBackWhenTheApplicationEnds) {
  // Data attached to an object is let go when the object is finalised (weak
  // pointers would already be cleared when the window destroys the view).
  bool finalised = false;
  {
    WindowHarness h;
    ASSERT_TRUE(h.waitForDocument(gtk::pageAddress));
    // After a run the page bridge holds the page's document, and with it the
    // view, until the application lets go of it.
    h.follow("start");
    ASSERT_TRUE(window_testing::waitUntil([&] { return !h.app.job().isRunning(); }));
    g_object_set_data_full(G_OBJECT(h.view()), "finalised", &finalised,
                           [](gpointer flag) { *static_cast<bool*>(flag) = true; });
  }
  EXPECT_TRUE(finalised);
}

}  // namespace
}  // namespace borvanta
