#include "app/app_icon.h"

#include <gio/gio.h>

#include "resources/resources.h"

namespace borvanta::gtk {

AppIcon loadAppIcon() {
  AppIcon icon;
  const std::optional<std::string_view> png = resource("borvanta.png");
  if (!png) return icon;
  const GObjectPtr<GInputStream> stream(
      g_memory_input_stream_new_from_data(png->data(), static_cast<gssize>(png->size()), nullptr));
  GError* error = nullptr;
  GObjectPtr<GdkPixbuf> full(gdk_pixbuf_new_from_stream(stream.get(), nullptr, &error));
  const GErrorPtr failure(error);
  if (!full) return icon;
  for (const int size : {16, 32, 48}) {
    icon.images.emplace_back(gdk_pixbuf_scale_simple(full.get(), size, size, GDK_INTERP_HYPER));
  }
  icon.images.push_back(std::move(full));
  return icon;
}

}  // namespace borvanta::gtk
