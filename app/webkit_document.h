#pragma once
// The page's document object model over WebKit. Every read and write is a
// script call in the program's own script world that the caller waits for
// (see script_call.h), so the page bridge and the job stay synchronous.
//
// A document is the top-level document that was shown when it was taken: the
// page side keeps a registry in that document (the program's world sees it,
// page scripts do not) with a token naming the document and the elements the
// program has looked up, each under a handle. An element reference therefore
// stays the same element for as long as the document lives, whatever the
// page does with its id; once the view shows another document, every
// operation of the old one fails (reads give empty values, writes false).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "app/gobject_ptr.h"
#include "app/webkit_compat.h"
#include "page/dom.h"

namespace borvanta::gtk {

// The document events a sink can be connected to.
class DocumentEvents {
 public:
  virtual ~DocumentEvents() = default;
  // A double-click in the document; the document's currentEvent() is the
  // double-click while this runs.
  virtual void OnDblClick() = 0;
};

class WebKitDocument;

// What the documents of one view share: the view, the numbering of
// documents and connections, and the sinks connected to document events.
class DocumentHost : public std::enable_shared_from_this<DocumentHost> {
 public:
  // Takes a reference to `view`.
  explicit DocumentHost(WebKitWebView* view);

  // The view's top-level document; null when the view shows none.
  [[nodiscard]] Ref<WebKitDocument> topDocument();

  // The name of the script message handler that document events arrive at.
  static constexpr const char* eventChannel = "borvantaDocumentEvents";
  // Hands a message of the event channel to the sink it is addressed to.
  void dispatchEvent(JSCValue* message);
  // Forgets every sink (the owner of the sinks is going away).
  void disconnectAll() { connections_.clear(); }

  [[nodiscard]] WebKitWebView* view() const { return view_.get(); }

 private:
  friend class WebKitDocument;
  struct Connection {
    DocumentEvents* sink;
    std::int32_t token;  // the document the sink is connected to
  };

  GObjectPtr<WebKitWebView> view_;
  std::int32_t lastToken_ = 0;
  std::uint32_t lastCookie_ = 0;
  std::map<std::uint32_t, Connection> connections_;
};

class WebKitDocument : public dom::Document {
 public:
  WebKitDocument(std::shared_ptr<DocumentHost> host, std::int32_t token);

  Ref<dom::Element> getElementById(std::string_view id) override;
  std::optional<dom::PointerEvent> currentEvent() override;

  // Connects `sink` to the document's events. Returns the connection's
  // cookie, 0 when the document is gone. The sink must outlive the
  // connection or the host's disconnectAll().
  [[nodiscard]] std::uint32_t advise(DocumentEvents& sink);
  // Ends the connection `cookie` of this document. False, without effect,
  // for 0 or a cookie of another document.
  bool unadvise(std::uint32_t cookie);

  [[nodiscard]] std::int32_t token() const { return token_; }

 private:
  std::shared_ptr<DocumentHost> host_;
  std::int32_t token_;
};

}  // namespace borvanta::gtk
