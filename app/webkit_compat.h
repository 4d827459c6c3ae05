#pragma once
// Every place where the window depends on which GTK or WebKitGTK version it
// is built against. The window is built against GTK 3 and webkit2gtk-4.1,
// 2.40 or newer: the first with JavaScript calls that take their arguments as
// values (webkit_web_view_call_async_javascript_function).

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#if !WEBKIT_CHECK_VERSION(2, 40, 0)
#error "the window needs webkit2gtk-4.1 2.40 or newer"
#endif

namespace borvanta::gtk {

// What the "script-message-received" signal hands its handler: a JavaScript
// result in the 4.1 API (a JSCValue itself from the 6.0 API on).
using ScriptMessage = WebKitJavascriptResult*;

[[nodiscard]] inline JSCValue* scriptMessageValue(ScriptMessage message) {
  return webkit_javascript_result_get_js_value(message);
}

// Lets scripts of `world` post messages to the handler `name`.
[[nodiscard]] inline bool registerScriptMessageHandler(WebKitUserContentManager* manager,
                                                       const char* name, const char* world) {
  return webkit_user_content_manager_register_script_message_handler_in_world(manager, name,
                                                                              world) != FALSE;
}

// A browsing context that writes nothing to disk (no cache, cookies or
// storage): the program keeps no files of its own.
[[nodiscard]] inline WebKitWebContext* newPrivateWebContext() {
  return webkit_web_context_new_ephemeral();
}

}  // namespace borvanta::gtk
