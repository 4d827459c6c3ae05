#pragma once
// The program's own files, compiled in: the page the window shows with its
// style sheet and script, and the application icon.
//
//   "contact_sort.html"  the page (UTF-8); it refers to the next two and to
//   "contact_sort.css"   the icon by these names, relative to its own
//   "contact_sort.js"    address, so all are served from one directory
//   "borvanta.svg"       the application icon, drawn
//   "borvanta.png"       the same icon, 256 x 256 pixels

#include <optional>
#include <string_view>
#include <vector>

namespace borvanta {

// The bytes of the resource called `name`, or nothing when there is none.
// The bytes live as long as the program.
[[nodiscard]] std::optional<std::string_view> resource(std::string_view name);

// The names of every resource.
[[nodiscard]] std::vector<std::string_view> resourceNames();

// The media type of a resource, from the end of its name ("text/html;
// charset=utf-8", "image/png", ...); "application/octet-stream" when the end
// is not known.
[[nodiscard]] std::string_view resourceMediaType(std::string_view name);

}  // namespace borvanta
