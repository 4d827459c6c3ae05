#pragma once
// The browser control of the main window: a WebKitWebView in a private
// (nothing-on-disk) context that serves the page scheme. It reports the
// view's navigation policy decisions as OnBeforeNavigate2 and finished loads
// as OnDocumentComplete to the events object set on it.

#include <memory>
#include <string_view>

#include "app/page_scheme.h"
#include "app/webkit_document.h"

namespace borvanta {

class CExplorer1 {
 public:
  // The events of the control (the dialog's event sink map).
  class Events {
   public:
    virtual ~Events() = default;
    // The view is about to navigate to `url` (UTF-8), in its top document or
    // in a frame of it. Setting `cancel` stops the navigation.
    virtual void OnBeforeNavigate2(CExplorer1& browser, std::string_view url, bool& cancel) = 0;
    // A document finished loading at `url`.
    virtual void OnDocumentComplete(CExplorer1& browser, std::string_view url) = 0;
  };

  explicit CExplorer1(gtk::PageSource pages);
  ~CExplorer1();
  CExplorer1(const CExplorer1&) = delete;
  CExplorer1& operator=(const CExplorer1&) = delete;

  void setEvents(Events* events) { events_ = events; }

  // Starts loading `url` in the view.
  void Navigate2(std::string_view url);
  // The view's current top-level document; null when there is none.
  [[nodiscard]] Ref<gtk::WebKitDocument> Document();

  [[nodiscard]] GtkWidget* widget() const { return GTK_WIDGET(view_.get()); }
  [[nodiscard]] WebKitWebView* view() const { return view_.get(); }

 private:
  static gboolean onDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                 WebKitPolicyDecisionType type, gpointer self);
  static void onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
  static void onScriptMessage(WebKitUserContentManager* manager, gtk::ScriptMessage message,
                              gpointer self);

  gtk::GObjectPtr<WebKitUserContentManager> content_;
  gtk::GObjectPtr<WebKitWebView> view_;
  std::shared_ptr<gtk::DocumentHost> documents_;
  Events* events_ = nullptr;
};

}  // namespace borvanta
