#pragma once
// The application icon, compiled into the program in several sizes.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <span>
#include <vector>

#include "app/gobject_ptr.h"

namespace borvanta::gtk {

struct IconImage {
  std::int32_t size;  // pixels, square
  std::span<const unsigned char> png;
};

// Every size of the icon, smallest first.
[[nodiscard]] const std::vector<IconImage>& appIconImages();

// The icon's images, decoded: what the window shows in its title bar, the
// task bar and when it is minimised.
struct AppIcon {
  std::vector<GObjectPtr<GdkPixbuf>> images;
};

[[nodiscard]] AppIcon loadAppIcon();

}  // namespace borvanta::gtk
