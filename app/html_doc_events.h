#pragma once
// The sink for the page's document events: a double-click in the page shows
// the pointer's client coordinates in a message box of its own.

#include "app/webkit_document.h"

namespace borvanta {

class CBorvantaDlg;

class CHTMLDocEvents : public gtk::DocumentEvents {
 public:
  explicit CHTMLDocEvents(CBorvantaDlg* dialog) : owner(dialog) {}

  // Shows "X: %ld Y: %ld" captioned "MfcObjMdl", owned by no window, while
  // the owner has a loaded document whose current event can be read.
  void OnDblClick() override;

  CBorvantaDlg* owner;
};

}  // namespace borvanta
