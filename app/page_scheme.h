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
// The address the window shows at start-up.
inline constexpr std::string_view pageAddress =
    "borvanta://app/application/borvanta/1.0/contact_sort.html";

// The bytes of the file at `path` (an absolute path of the address, such as
// "/application/borvanta/1.0/contact_sort.html"); nullopt when there is none.
using PageSource = std::function<std::optional<std::string_view>(std::string_view path)>;

// The MIME type of a file, by the extension of its path.
[[nodiscard]] std::string_view mimeTypeFor(std::string_view path);

// Makes `context` answer addresses of the page scheme from `pages`, and keeps
// pages of any other scheme from reaching them.
void registerPageScheme(WebKitWebContext* context, PageSource pages);

}  // namespace borvanta::gtk
