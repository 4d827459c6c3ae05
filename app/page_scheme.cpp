#include "app/page_scheme.h"

#include <array>
#include <utility>

#include "app/gobject_ptr.h"

namespace borvanta::gtk {

std::string_view mimeTypeFor(std::string_view path) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> types{{
      {".html", "text/html"},
      {".htm", "text/html"},
      {".css", "text/css"},
      {".js", "text/javascript"},
      {".png", "image/png"},
      {".gif", "image/gif"},
      {".jpg", "image/jpeg"},
      {".svg", "image/svg+xml"},
      {".ico", "image/vnd.microsoft.icon"},
  }};
  const std::string_view name = path.substr(path.rfind('/') + 1);
  for (const auto& [extension, type] : types) {
    if (name.size() > extension.size() && name.ends_with(extension)) return type;
  }
  return "application/octet-stream";
}

namespace {

void answerRequest(WebKitURISchemeRequest* request, gpointer data) {
  const PageSource& pages = *static_cast<const PageSource*>(data);
  const char* path = webkit_uri_scheme_request_get_path(request);
  const std::optional<std::string_view> file =
      path != nullptr ? pages(path) : std::optional<std::string_view>();
  if (!file) {
    GErrorPtr error(g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no file %s in the program",
                                path != nullptr ? path : ""));
    webkit_uri_scheme_request_finish_error(request, error.get());
    return;
  }
  GBytes* bytes = g_bytes_new(file->data(), file->size());
  const GObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_bytes(bytes));
  g_bytes_unref(bytes);
  const std::string type(mimeTypeFor(path));
  webkit_uri_scheme_request_finish(request, stream.get(), static_cast<gint64>(file->size()),
                                   type.c_str());
}

}  // namespace

void registerPageScheme(WebKitWebContext* context, PageSource pages) {
  webkit_web_context_register_uri_scheme(
      context, pageScheme, answerRequest, new PageSource(std::move(pages)),
      [](gpointer data) { delete static_cast<PageSource*>(data); });
  webkit_security_manager_register_uri_scheme_as_local(
      webkit_web_context_get_security_manager(context), pageScheme);
}

}  // namespace borvanta::gtk
