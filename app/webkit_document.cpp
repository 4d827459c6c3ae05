#include "app/webkit_document.h"

#include <string>
#include <vector>

#include "app/script_call.h"

namespace borvanta::gtk {

namespace {

// The scripts of the program's world. Each finds the registry of the
// document it was called for (`token`) and does nothing when the view shows
// another document by now.

// The registry of the shown document, made on first use; answers its token.
constexpr std::string_view openRegistry = R"(
  if (!window.borvanta) {
    window.borvanta = {token, elements: [], listeners: new Map(), currentEvent: null};
  }
  return window.borvanta.token;)";

constexpr std::string_view findElement = R"(
  const page = window.borvanta;
  if (!page || page.token !== token) return null;
  const element = document.getElementById(id);
  if (!element) return null;
  let handle = page.elements.indexOf(element);
  if (handle < 0) handle = page.elements.push(element) - 1;
  const kind = element instanceof HTMLInputElement ? 'input'
             : element instanceof HTMLSelectElement ? 'select'
             : element instanceof HTMLImageElement ? 'img' : 'element';
  return {handle, kind};)";

// Every element operation starts with this: `element` is the registered
// element, or the operation answers null.
constexpr std::string_view elementPrologue = R"(
  const page = window.borvanta;
  const element = page && page.token === token ? page.elements[handle] : undefined;
  if (!element) return null;)";

constexpr std::string_view insertHtml = "element.insertAdjacentHTML(where, html); return true;";
constexpr std::string_view readChecked = "return element.checked === true;";
constexpr std::string_view readValue = "return String(element.value);";
constexpr std::string_view readWidth = "return element.width;";
constexpr std::string_view writeWidth = "element.width = width; return true;";

constexpr std::string_view readEvent = R"(
  const page = window.borvanta;
  if (!page || page.token !== token || !page.currentEvent) return null;
  return page.currentEvent;)";

constexpr std::string_view endEventScript = R"(
  const page = window.borvanta;
  if (page && page.token === token) page.currentEvent = null;
  return true;)";

// Connects a listener that records the double-click as the current event and
// tells the program which connection it is for.
constexpr std::string_view connectEvents = R"(
  const page = window.borvanta;
  if (!page || page.token !== token) return false;
  const listener = (event) => {
    page.currentEvent = {clientX: event.clientX, clientY: event.clientY};
    window.webkit.messageHandlers[channel].postMessage({cookie, type: event.type});
  };
  document.addEventListener('dblclick', listener);
  page.listeners.set(cookie, listener);
  return true;)";

constexpr std::string_view disconnectEvents = R"(
  const page = window.borvanta;
  if (!page || page.token !== token) return false;
  const listener = page.listeners.get(cookie);
  if (!listener) return false;
  document.removeEventListener('dblclick', listener);
  page.listeners.delete(cookie);
  return true;)";

std::string elementScript(std::string_view operation) {
  std::string body(elementPrologue);
  body += '\n';
  body += operation;
  return body;
}

// The part every element kind shares: where it is, and insertAdjacentHTML.
template <class Base>
class WebKitElement : public Base {
 public:
  WebKitElement(std::shared_ptr<DocumentHost> host, std::int32_t token, std::int32_t handle)
      : host_(std::move(host)), token_(token), handle_(handle) {}

  bool insertAdjacentHTML(std::string_view where, std::string_view html) override {
    static const std::string body = elementScript(insertHtml);
    return call(body, {{"where", where}, {"html", html}}).toBool();
  }

 protected:
  // Runs an element operation with the element's token and handle, and
  // `extra` arguments.
  ScriptValue call(const std::string& body, std::initializer_list<ScriptArgument> extra = {}) {
    std::vector<ScriptArgument> arguments{{"token", token_}, {"handle", handle_}};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return callScript(host_->view(), body, arguments);
  }

 private:
  std::shared_ptr<DocumentHost> host_;
  std::int32_t token_;
  std::int32_t handle_;
};

class PlainElement : public WebKitElement<dom::Element> {
  using WebKitElement::WebKitElement;
};

class InputElement : public WebKitElement<dom::InputElement> {
 public:
  using WebKitElement::WebKitElement;
  bool checked() override {
    static const std::string body = elementScript(readChecked);
    return call(body).toBool();
  }
  std::string value() override {
    static const std::string body = elementScript(readValue);
    return call(body).toString();
  }
};

class SelectElement : public WebKitElement<dom::SelectElement> {
 public:
  using WebKitElement::WebKitElement;
  std::string value() override {
    static const std::string body = elementScript(readValue);
    return call(body).toString();
  }
};

class ImageElement : public WebKitElement<dom::ImageElement> {
 public:
  using WebKitElement::WebKitElement;
  std::int32_t width() override {
    static const std::string body = elementScript(readWidth);
    return call(body).toInt32();
  }
  bool setWidth(std::int32_t width) override {
    static const std::string body = elementScript(writeWidth);
    return call(body, {{"width", width}}).toBool();
  }
};

}  // namespace

DocumentHost::DocumentHost(WebKitWebView* view) : view_(addReference(view)) {}

Ref<WebKitDocument> DocumentHost::topDocument() {
  const ScriptValue token = callScript(view(), openRegistry, {{"token", ++lastToken_}});
  if (token.isNull()) return nullptr;
  return makeRef<WebKitDocument>(shared_from_this(), token.toInt32());
}

void DocumentHost::dispatchEvent(JSCValue* message) {
  if (message == nullptr || !jsc_value_is_object(message)) return;
  const GObjectPtr<JSCValue> cookie(jsc_value_object_get_property(message, "cookie"));
  const auto found =
      connections_.find(static_cast<std::uint32_t>(jsc_value_to_int32(cookie.get())));
  if (found == connections_.end()) return;
  // A copy: the sink may show a modal box, during which connections change.
  const Connection connection = found->second;
  connection.sink->OnDblClick();
  // The event is over once the sink has handled it.
  (void)callScript(view(), endEventScript, {{"token", connection.token}});
}

WebKitDocument::WebKitDocument(std::shared_ptr<DocumentHost> host, std::int32_t token)
    : host_(std::move(host)), token_(token) {}

Ref<dom::Element> WebKitDocument::getElementById(std::string_view id) {
  const ScriptValue found = callScript(host_->view(), findElement, {{"token", token_}, {"id", id}});
  if (found.isNull()) return nullptr;
  const std::int32_t handle = found.property("handle").toInt32();
  const std::string kind = found.property("kind").toString();
  if (kind == "input") return makeRef<InputElement>(host_, token_, handle);
  if (kind == "select") return makeRef<SelectElement>(host_, token_, handle);
  if (kind == "img") return makeRef<ImageElement>(host_, token_, handle);
  return makeRef<PlainElement>(host_, token_, handle);
}

std::optional<dom::PointerEvent> WebKitDocument::currentEvent() {
  const ScriptValue event = callScript(host_->view(), readEvent, {{"token", token_}});
  if (event.isNull()) return std::nullopt;
  return dom::PointerEvent{event.property("clientX").toInt32(),
                           event.property("clientY").toInt32()};
}

std::uint32_t WebKitDocument::advise(DocumentEvents& sink) {
  const std::uint32_t cookie = ++host_->lastCookie_;
  const ScriptValue connected =
      callScript(host_->view(), connectEvents,
                 {{"token", token_},
                  {"cookie", static_cast<std::int32_t>(cookie)},
                  {"channel", std::string_view(DocumentHost::eventChannel)}});
  if (!connected.toBool()) return 0;
  host_->connections_[cookie] = {&sink, token_};
  return cookie;
}

bool WebKitDocument::unadvise(std::uint32_t cookie) {
  const auto found = host_->connections_.find(cookie);
  if (cookie == 0 || found == host_->connections_.end() || found->second.token != token_) {
    return false;
  }
  const ScriptValue disconnected =
      callScript(host_->view(), disconnectEvents,
                 {{"token", token_}, {"cookie", static_cast<std::int32_t>(cookie)}});
  host_->connections_.erase(cookie);
  return disconnected.toBool();
}

}  // namespace borvanta::gtk
