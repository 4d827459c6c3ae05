#pragma once
// The main window: a dialog without controls of its own whose whole client
// area is the browser showing the page. A navigation of the page to the start
// address runs the clean-up job on the spot, inside the navigation's policy
// decision, and is then cancelled so that the page and its log stay.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/app_icon.h"
#include "app/explorer.h"
#include "app/html_doc_events.h"
#include "app/message_presenter.h"
#include "job/cleanup_job.h"
#include "outlook/owner_window.h"
#include "page/page_bridge.h"

namespace borvanta {

// The address whose navigation starts a run, wherever it appears in a URL.
inline constexpr std::string_view startAddress = "function://contact_sort_start";

// What the front end does right after each run, with the window as owner of
// any box it shows (the vCard backend folds the saved changes into the file).
using AfterRun = std::function<void(OwnerWindow& owner)>;

class CBorvantaDlg : public OwnerWindow, public CExplorer1::Events {
 public:
  // `job` runs on the page the browser shows through `page`; message boxes
  // go to `boxes`; the browser serves the page from `pages`; `afterRun`, when
  // set, follows every run.
  CBorvantaDlg(CleanupJob& job, PageBridge& page, gtk::MessagePresenter& boxes,
               gtk::PageSource pages, AfterRun afterRun = {});
  ~CBorvantaDlg() override;
  CBorvantaDlg(const CBorvantaDlg&) = delete;
  CBorvantaDlg& operator=(const CBorvantaDlg&) = delete;

  // Makes the window from its template, initialises it (OnInitDialog) and
  // shows it; returns at once.
  void Create();
  // Create(), then dispatches events until the window is closed, then
  // destroys the window.
  void DoModal();
  // Ends the dialog, as closing the window does: hides it and ends DoModal.
  void EndDialog();
  [[nodiscard]] bool isEnded() const { return ended_; }

  // The window manager draws the icon of the minimised window, so the dialog
  // needs no painting or drag-icon handlers of its own.
  bool OnInitDialog();
  void OnDocumentComplete(CExplorer1& browser, std::string_view url) override;
  void OnBeforeNavigate2(CExplorer1& browser, std::string_view url, bool& cancel) override;

  // Boxes owned by the window; texts in code page 949.
  void messageBox(std::string_view text, std::string_view caption) override;
  void bringToTop() override;
  [[nodiscard]] std::string applicationName() const override;
  // A box owned by no window; texts in code page 949.
  void showUnownedBox(std::string_view text, std::string_view caption);

  // The dialog's window; null before Create().
  [[nodiscard]] GtkWindow* window() const { return window_.get(); }

  // The top-level document, taken when a document completes loading and
  // dropped at the next navigation.
  Ref<gtk::WebKitDocument> loadedDocument;
  gtk::AppIcon icon;
  CExplorer1 browser;
  // The document-event sink; lives as long as the dialog.
  std::unique_ptr<CHTMLDocEvents> docEvents;
  // The cookie of the sink's connection to a document, 0 when none.
  std::uint32_t docEventsCookie = 0;

 private:
  static gboolean onDeleteEvent(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void onRealize(GtkWidget* widget, gpointer self);
  void runCleanup();

  CleanupJob& job_;
  PageBridge& page_;
  gtk::MessagePresenter& boxes_;
  AfterRun afterRun_;
  gtk::GObjectPtr<GtkWindow> window_;
  bool ended_ = false;
};

}  // namespace borvanta
