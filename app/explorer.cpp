#include "app/explorer.h"

#include <string>

#include "app/callback_guard.h"
#include "app/script_call.h"

namespace borvanta {

namespace {

WebKitWebView* newView(WebKitUserContentManager* content, gtk::PageSource pages) {
  const gtk::GObjectPtr<WebKitWebContext> context(gtk::newPrivateWebContext());
  gtk::registerPageScheme(context.get(), std::move(pages));
  WebKitSettings* settings = webkit_settings_new_with_settings(
      "default-charset", "UTF-8", "enable-developer-extras", FALSE,
      "enable-write-console-messages-to-stdout", FALSE, nullptr);
  auto* view =
      WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context.get(),
                                   "user-content-manager", content, "settings", settings, nullptr));
  g_object_unref(settings);
  return view;
}

}  // namespace

CExplorer1::CExplorer1(gtk::PageSource pages)
    : content_(webkit_user_content_manager_new()),
      view_(gtk::takeFloating(newView(content_.get(), std::move(pages)))),
      documents_(std::make_shared<gtk::DocumentHost>(view_.get())) {
  (void)gtk::registerScriptMessageHandler(content_.get(), gtk::DocumentHost::eventChannel,
                                          gtk::programWorld);
  const std::string messageSignal =
      std::string("script-message-received::") + gtk::DocumentHost::eventChannel;
  g_signal_connect(content_.get(), messageSignal.c_str(), G_CALLBACK(onScriptMessage), this);
  g_signal_connect(view_.get(), "decide-policy", G_CALLBACK(onDecidePolicy), this);
  g_signal_connect(view_.get(), "load-changed", G_CALLBACK(onLoadChanged), this);
}

CExplorer1::~CExplorer1() {
  // Documents taken from the view may outlive the control; nothing they do
  // reaches it or its sinks any more.
  g_signal_handlers_disconnect_by_data(content_.get(), this);
  g_signal_handlers_disconnect_by_data(view_.get(), this);
  documents_->disconnectAll();
}

void CExplorer1::Navigate2(std::string_view url) {
  webkit_web_view_load_uri(view(), std::string(url).c_str());
}

Ref<gtk::WebKitDocument> CExplorer1::Document() {
  return documents_->topDocument();
}

gboolean CExplorer1::onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                    WebKitPolicyDecisionType type, gpointer self) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  auto& browser = *static_cast<CExplorer1*>(self);
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  bool cancel = false;
  if (browser.events_ != nullptr && uri != nullptr) {
    gtk::guardCallback("before navigate",
                       [&] { browser.events_->OnBeforeNavigate2(browser, uri, cancel); });
  }
  if (!cancel) return FALSE;  // the view goes on as it would
  webkit_policy_decision_ignore(decision);
  return TRUE;
}

void CExplorer1::onLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
  if (event != WEBKIT_LOAD_FINISHED) return;
  auto& browser = *static_cast<CExplorer1*>(self);
  const char* uri = webkit_web_view_get_uri(view);
  if (browser.events_ == nullptr) return;
  gtk::guardCallback("document complete", [&] {
    browser.events_->OnDocumentComplete(browser, uri != nullptr ? uri : "");
  });
}

void CExplorer1::onScriptMessage(WebKitUserContentManager*, gtk::ScriptMessage message,
                                 gpointer self) {
  auto& browser = *static_cast<CExplorer1*>(self);
  gtk::guardCallback("document event",
                     [&] { browser.documents_->dispatchEvent(gtk::scriptMessageValue(message)); });
}

}  // namespace borvanta
