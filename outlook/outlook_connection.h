#pragma once
// The object-model objects a run works with. The application owns the one
// connection; it outlives a run and is emptied by the next run's reset.

#include "outlook/object_model.h"

namespace borvanta {

struct OutlookConnection {
  Ref<om::Application> application;
  Ref<om::MAPIFolder> folder;
  Ref<om::Items> items;
  // The contact item the reading loop stands on. Not part of the reset: a
  // read cut short by an error leaves its item here until the next read.
  Ref<om::ContactItem> currentItem;

  // Releases items, folder and application, in this order, each only if held.
  void reset() {
    items.reset();
    folder.reset();
    application.reset();
  }
};

}  // namespace borvanta
