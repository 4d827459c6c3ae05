#pragma once
// The page is served by the program itself, from files compiled into it,
// under a URI scheme of its own: the tool works offline and nobody on the
// network can change the page that drives it.

#include <functional>
#include <optional>
#include <string_view>

#include "app/webkit_compat.h"

namespace borvanta::gtk {

inline constexpr const char* pageScheme = "borvanta";
// The directory of the page and the files it uses, and the page's address,
// which the window shows at start-up.
inline constexpr std::string_view pageDirectory = "/application/borvanta/1.0/";
inline constexpr std::string_view pageAddress =
    "borvanta://app/application/borvanta/1.0/contact_sort.html";

// A file the scheme serves: its bytes and its media type ("text/html;
// charset=utf-8"). Both must stay valid while the request is answered.
struct PageFile {
  std::string_view bytes;
  std::string_view mediaType;
};

// The file at `path` (the path of an address, such as
// "/application/borvanta/1.0/contact_sort.html"); nullopt when there is none.
using PageSource = std::function<std::optional<PageFile>(std::string_view path)>;

// Makes `context` answer addresses of the page scheme from `pages`, and keeps
// pages of any other scheme from reaching them.
void registerPageScheme(WebKitWebContext* context, PageSource pages);

}  // namespace borvanta::gtk
