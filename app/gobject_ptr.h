#pragma once
// Owning handles for GLib resources: a GObject reference given back with
// g_object_unref, a block given back with g_free, a GError freed with
// g_error_free. Each is a std::unique_ptr with the matching deleter.

#include <glib-object.h>

#include <memory>

namespace borvanta::gtk {

struct GObjectUnref {
  void operator()(gpointer object) const noexcept { g_object_unref(object); }
};
struct GFree {
  void operator()(gpointer block) const noexcept { g_free(block); }
};
struct GErrorFree {
  void operator()(GError* error) const noexcept { g_error_free(error); }
};

// Holds one reference to a GObject of type T.
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GCharPtr = std::unique_ptr<gchar, GFree>;
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

// Takes a new reference to `object` (which the caller does not own).
template <class T>
[[nodiscard]] GObjectPtr<T> addReference(T* object) {
  if (object != nullptr) g_object_ref(object);
  return GObjectPtr<T>(object);
}

// Takes over a newly made floating object (a widget not yet in a container):
// the floating reference becomes the handle's own.
template <class T>
[[nodiscard]] GObjectPtr<T> takeFloating(T* object) {
  if (object != nullptr) g_object_ref_sink(object);
  return GObjectPtr<T>(object);
}

}  // namespace borvanta::gtk
