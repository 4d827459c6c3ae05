#pragma once
// The application icon, in the sizes a window hands its window manager.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <vector>

#include "app/gobject_ptr.h"

namespace borvanta::gtk {

// The icon's images, smallest first: what the window shows in its title bar,
// the task bar and when it is minimised.
struct AppIcon {
  std::vector<GObjectPtr<GdkPixbuf>> images;
};

// The compiled-in icon at 16, 32, 48 and its own 256 pixels; no images when
// it cannot be decoded.
[[nodiscard]] AppIcon loadAppIcon();

}  // namespace borvanta::gtk
