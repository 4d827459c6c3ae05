#include "app/app_icon.h"

#include <gio/gio.h>

namespace borvanta::gtk {

AppIcon loadAppIcon() {
  AppIcon icon;
  for (const IconImage& image : appIconImages()) {
    const GObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_data(
        image.png.data(), static_cast<gssize>(image.png.size()), nullptr));
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_stream(stream.get(), nullptr, &error);
    const GErrorPtr owned(error);
    if (pixbuf != nullptr) icon.images.emplace_back(pixbuf);
  }
  return icon;
}

}  // namespace borvanta::gtk
