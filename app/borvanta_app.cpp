#include "app/borvanta_app.h"

namespace borvanta {

CBorvantaApp::CBorvantaApp(om::ComRuntime& runtime, gtk::PageSource pages,
                           gtk::MessagePresenter& boxes, AfterRun afterRun)
    : store_(runtime, connection_, page_),
      job_(page_, store_, list_),
      pages_(std::move(pages)),
      boxes_(boxes),
      afterRun_(std::move(afterRun)) {}

CBorvantaApp::~CBorvantaApp() = default;

CBorvantaDlg& CBorvantaApp::createMainWindow() {
  mainWindow_ = std::make_unique<CBorvantaDlg>(job_, page_, boxes_, pages_, afterRun_);
  mainWindow_->Create();
  return *mainWindow_;
}

bool CBorvantaApp::InitInstance() {
  // GTK is initialised by main() before the application is made; the
  // control classes, the control container and COM need nothing more here.
  // The program keeps no settings, so it has no settings key either.
  mainWindow_ = std::make_unique<CBorvantaDlg>(job_, page_, boxes_, pages_, afterRun_);
  mainWindow_->DoModal();
  mainWindow_.reset();
  return false;
}

}  // namespace borvanta
