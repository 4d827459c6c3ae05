#include "app/borvanta_dlg.h"

#include <exception>

#include "app/callback_guard.h"
#include "app/dialog_units.h"
#include "core/cp949.h"
#include "core/text.h"

namespace borvanta {

CBorvantaDlg::CBorvantaDlg(CleanupJob& job, PageBridge& page, gtk::MessagePresenter& boxes,
                           gtk::PageSource pages, AfterRun afterRun)
    : icon(gtk::loadAppIcon()),
      browser(std::move(pages)),
      docEvents(std::make_unique<CHTMLDocEvents>(this)),
      job_(job),
      page_(page),
      boxes_(boxes),
      afterRun_(std::move(afterRun)) {
  browser.setEvents(this);
}

CBorvantaDlg::~CBorvantaDlg() {
  browser.setEvents(nullptr);
  if (window_) {
    g_signal_handlers_disconnect_by_data(window_.get(), this);
    gtk_widget_destroy(GTK_WIDGET(window_.get()));
  }
}

void CBorvantaDlg::Create() {
  // The template: a fixed-size window at 0,0 with a caption, a system menu
  // and a minimise box, shown in the task bar, whose client area is the
  // browser.
  window_ = gtk::addReference(GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL)));
  GtkWindow* window = window_.get();
  gtk_window_set_title(window, "Borvanta");
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_NORMAL);
  gtk_window_set_skip_taskbar_hint(window, FALSE);
  gtk_window_move(window, 0, 0);
  gtk_widget_set_size_request(browser.widget(), dialogWidthPixels, dialogHeightPixels);
  gtk_container_add(GTK_CONTAINER(window), browser.widget());
  g_signal_connect(window, "delete-event", G_CALLBACK(onDeleteEvent), this);
  g_signal_connect_after(window, "realize", G_CALLBACK(onRealize), this);
  (void)OnInitDialog();
  gtk_widget_show_all(GTK_WIDGET(window));
}

void CBorvantaDlg::DoModal() {
  Create();
  while (!ended_)
    g_main_context_iteration(nullptr, TRUE);
  g_signal_handlers_disconnect_by_data(window_.get(), this);
  gtk_widget_destroy(GTK_WIDGET(window_.get()));
  window_.reset();
}

void CBorvantaDlg::EndDialog() {
  ended_ = true;
  if (window_) gtk_widget_hide(GTK_WIDGET(window_.get()));
}

bool CBorvantaDlg::OnInitDialog() {
  GList* images = nullptr;
  for (const auto& image : icon.images)
    images = g_list_append(images, image.get());
  gtk_window_set_icon_list(window_.get(), images);
  g_list_free(images);
  gtk_window_set_title(window_.get(), "Borvanta v1.0 Beta");
  browser.Navigate2(gtk::pageAddress);
  return true;
}

void CBorvantaDlg::OnDocumentComplete(CExplorer1& completed, std::string_view) {
  Ref<gtk::WebKitDocument> document = completed.Document();
  if (!document) return;
  loadedDocument = std::move(document);
  if (docEvents) {
    // Succeeds only when the same document completes again.
    (void)loadedDocument->unadvise(docEventsCookie);
    docEventsCookie = 0;
    docEventsCookie = loadedDocument->advise(*docEvents);
  }
}

void CBorvantaDlg::OnBeforeNavigate2(CExplorer1& navigating, std::string_view url, bool& cancel) {
  // Frames navigate through the same view; their requests come with the
  // view's top-level document.
  const std::string narrowUrl = utf8ToCp949(url).text;
  if (narrowUrl.find(startAddress) != std::string::npos) {
    if (job_.isRunning()) {
      // A request that arrived while a run pumps messages. The run keeps the
      // page's document; the job only adds a line to its log.
      (void)job_.run(*this);
    } else {
      page_.setDocument(navigating.Document());
      runCleanup();
    }
    cancel = true;
  }
  loadedDocument = nullptr;
}

void CBorvantaDlg::runCleanup() {
  try {
    (void)job_.run(*this);
  } catch (const std::exception& error) {
    // The job reports what it knows itself; anything else that ends a run
    // is told here, and the program goes on.
    static const std::string format = cp949("정리 중에 오류가 나서 멈췄습니다: %s");
    messageBox(formatText(format.c_str(), utf8ToCp949(error.what()).text.c_str()),
               applicationName());
  }
  if (afterRun_) afterRun_(*this);
}

void CBorvantaDlg::messageBox(std::string_view text, std::string_view caption) {
  boxes_.show(window_.get(), cp949ToUtf8(text), cp949ToUtf8(caption));
}

void CBorvantaDlg::bringToTop() {
  if (window_) gtk_window_present(window_.get());
}

std::string CBorvantaDlg::applicationName() const {
  return "borvanta";
}

void CBorvantaDlg::showUnownedBox(std::string_view text, std::string_view caption) {
  boxes_.show(nullptr, cp949ToUtf8(text), cp949ToUtf8(caption));
}

gboolean CBorvantaDlg::onDeleteEvent(GtkWidget*, GdkEvent*, gpointer self) {
  // The window is destroyed when DoModal ends, never while a run may still
  // be using the page.
  gtk::guardCallback("close", [&] { static_cast<CBorvantaDlg*>(self)->EndDialog(); });
  return TRUE;
}

void CBorvantaDlg::onRealize(GtkWidget* widget, gpointer) {
  // Minimise, no maximise, not resizable.
  GdkWindow* window = gtk_widget_get_window(widget);
  gdk_window_set_functions(
      window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_MINIMIZE | GDK_FUNC_CLOSE));
  gdk_window_set_decorations(
      window, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU |
                                           GDK_DECOR_MINIMIZE));
}

}  // namespace borvanta
