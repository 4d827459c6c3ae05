#include "tests/window/window_harness.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "app/page_scheme.h"
#include "resources/resources.h"

namespace borvanta::window_testing {

namespace {

using gtk::pageDirectory;

std::string readFixture(const std::string& name) {
  const char* root = std::getenv("BORVANTA_SOURCE_DIR");
  std::ifstream file(std::string(root != nullptr ? root : ".") + "/tests/window/pages/" + name,
                     std::ios::binary);
  if (!file) return {};
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace

gtk::PageSource fixturePages(std::string mainPage) {
  auto files = std::make_shared<std::map<std::string, std::string, std::less<>>>();
  for (const char* name : {"contact_sort.html", "other.html", "elements.html"}) {
    (*files)[name] = readFixture(name == std::string_view("contact_sort.html") ? mainPage : name);
  }
  return [files](std::string_view path) -> std::optional<gtk::PageFile> {
    if (!path.starts_with(pageDirectory)) return std::nullopt;
    const std::string_view name = path.substr(pageDirectory.size());
    const auto found = files->find(name);
    if (found == files->end() || found->second.empty()) return std::nullopt;
    return gtk::PageFile{found->second, resourceMediaType(name)};
  };
}

std::string fixtureAddress(std::string_view name) {
  std::string address(gtk::pageAddress);
  address.resize(address.rfind('/') + 1);
  address += name;
  return address;
}

bool waitUntil(const std::function<bool()>& done) {
  bool expired = false;
  const guint limit = g_timeout_add_seconds(
      60,
      [](gpointer flag) {
        *static_cast<bool*>(flag) = true;
        return G_SOURCE_REMOVE;
      },
      &expired);
  while (!done() && !expired)
    g_main_context_iteration(nullptr, TRUE);
  if (!expired) g_source_remove(limit);
  return !expired;
}

GtkWidget* visibleToplevel(GType type) {
  GList* windows = gtk_window_list_toplevels();
  GtkWidget* found = nullptr;
  for (GList* w = windows; w != nullptr; w = w->next) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(w->data, type) && gtk_widget_get_visible(GTK_WIDGET(w->data))) {
      found = GTK_WIDGET(w->data);
    }
  }
  g_list_free(windows);
  return found;
}

bool acceptFile(GtkWidget* chooser, const std::filesystem::path& file) {
  gchar* selected = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
  const bool taken = selected != nullptr && file.string() == selected;
  g_free(selected);
  if (!taken) {
    gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(chooser), file.c_str());
    return false;
  }
  gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
  return true;
}

gtk::ScriptValue pageScript(WebKitWebView* view, std::string_view body,
                            std::initializer_list<gtk::ScriptArgument> arguments) {
  return gtk::callScriptInWorld(view, nullptr, body,
                                std::span<const gtk::ScriptArgument>(arguments));
}

void doubleClick(GtkWidget* view, int x, int y) {
  GdkWindow* window = gtk_widget_get_window(view);
  GtkAllocation allocation;
  gtk_widget_get_allocation(view, &allocation);
  if (!gtk_widget_get_has_window(view)) {
    x += allocation.x;
    y += allocation.y;
  }
  GdkDevice* pointer =
      gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
  for (int click = 0; click < 2; ++click) {
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
      GdkEvent* event = gdk_event_new(type);
      event->button.window = GDK_WINDOW(g_object_ref(window));
      event->button.x = x;
      event->button.y = y;
      event->button.button = 1;
      event->button.time = GDK_CURRENT_TIME;
      gdk_event_set_device(event, pointer);
      gtk_main_do_event(event);
      gdk_event_free(event);
    }
  }
}

std::vector<std::string> logTexts(WebKitWebView* view) {
  const std::string joined = pageScript(view, R"(
    const lines = [];
    let current = '';
    for (let node = document.getElementById('idLog').nextSibling; node; node = node.nextSibling) {
      if (node.nodeType === Node.ELEMENT_NODE && node.id) break;  // the page's own next element
      if (node.nodeName === 'BR') { lines.push(current); current = ''; continue; }
      current += node.textContent;
    }
    return lines.join('\u001e');)")
                                 .toString();
  std::vector<std::string> lines;
  if (joined.empty()) return lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = joined.find('\x1e', start);
    lines.push_back(joined.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

WindowHarness::WindowHarness(std::string mainPage)
    : WindowHarness(fixturePages(std::move(mainPage))) {}

WindowHarness::WindowHarness(gtk::PageSource pages, om::ComRuntime* runtime)
    : app(runtime != nullptr ? *runtime : outlook.runtime(), std::move(pages), boxes,
          [this](OwnerWindow& owner) {
            if (afterRun) afterRun(owner);
          }),
      dialog(app.createMainWindow()) {}

WindowHarness::~WindowHarness() = default;

std::string WindowHarness::uri() const {
  const char* address = webkit_web_view_get_uri(view());
  return address != nullptr ? address : "";
}

bool WindowHarness::waitForDocument(std::string_view address) {
  return waitUntil([&] {
    return dialog.loadedDocument && uri() == address && !webkit_web_view_is_loading(view());
  });
}

void WindowHarness::setChecked(std::string_view id, bool checked) {
  (void)page("document.getElementById(id).checked = checked !== 0; return true;",
             {{"id", id}, {"checked", checked ? 1 : 0}});
}

void WindowHarness::follow(std::string_view id) {
  (void)page("document.getElementById(id).click(); return true;", {{"id", id}});
}

}  // namespace borvanta::window_testing
