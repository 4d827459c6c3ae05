#include "app/html_doc_events.h"

#include "app/borvanta_dlg.h"
#include "core/text.h"

namespace borvanta {

void CHTMLDocEvents::OnDblClick() {
  if (owner == nullptr || !owner->loadedDocument) return;
  const std::optional<dom::PointerEvent> event = owner->loadedDocument->currentEvent();
  if (!event) return;
  const std::string text = formatText("X: %ld Y: %ld", static_cast<long>(event->clientX),
                                      static_cast<long>(event->clientY));
  owner->showUnownedBox(text, "MfcObjMdl");
}

}  // namespace borvanta
