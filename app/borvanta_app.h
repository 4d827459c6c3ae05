#pragma once
// The application: it owns the one contact list, object-model connection,
// page bridge, contact store and clean-up job of the program, and the main
// window that uses them. The program lives as long as that window.

#include <memory>

#include "app/borvanta_dlg.h"
#include "app/gtk_message_loop.h"
#include "job/contact_list.h"
#include "outlook/contact_store.h"
#include "outlook/outlook_connection.h"

namespace borvanta {

class CBorvantaApp {
 public:
  // Contacts come from `runtime`, the page from `pages`; message boxes are
  // shown by `boxes`; `afterRun`, when set, follows every run.
  CBorvantaApp(om::ComRuntime& runtime, gtk::PageSource pages, gtk::MessagePresenter& boxes,
               AfterRun afterRun = {});
  ~CBorvantaApp();
  CBorvantaApp(const CBorvantaApp&) = delete;
  CBorvantaApp& operator=(const CBorvantaApp&) = delete;

  // Shows the main window until it is closed. Returns false: the program
  // ends when the window is closed, without a message loop of its own.
  bool InitInstance();

  // The main window, made and shown but not run modally: what InitInstance
  // does before it waits for the window to close.
  CBorvantaDlg& createMainWindow();
  // The main window; null before createMainWindow() or InitInstance().
  [[nodiscard]] CBorvantaDlg* mainWindow() const { return mainWindow_.get(); }
  [[nodiscard]] CleanupJob& job() { return job_; }

 private:
  gtk::GtkMessageLoop loop_;
  ContactList list_;
  OutlookConnection connection_;
  PageBridge page_{loop_};
  ContactStore store_;
  CleanupJob job_;
  gtk::PageSource pages_;
  gtk::MessagePresenter& boxes_;
  AfterRun afterRun_;
  std::unique_ptr<CBorvantaDlg> mainWindow_;
};

}  // namespace borvanta
