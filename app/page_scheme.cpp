#include "app/page_scheme.h"

#include <string>
#include <utility>

#include "app/gobject_ptr.h"

namespace borvanta::gtk {

namespace {

void answerRequest(WebKitURISchemeRequest* request, gpointer data) {
  const PageSource& pages = *static_cast<const PageSource*>(data);
  const char* path = webkit_uri_scheme_request_get_path(request);
  const std::optional<PageFile> file = path != nullptr ? pages(path) : std::nullopt;
  if (!file) {
    GErrorPtr error(g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no file %s in the program",
                                path != nullptr ? path : ""));
    webkit_uri_scheme_request_finish_error(request, error.get());
    return;
  }
  // A copy: the stream is read after this returns.
  GBytes* bytes = g_bytes_new(file->bytes.data(), file->bytes.size());
  const GObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_bytes(bytes));
  g_bytes_unref(bytes);
  const std::string type(file->mediaType);
  webkit_uri_scheme_request_finish(request, stream.get(), static_cast<gint64>(file->bytes.size()),
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
