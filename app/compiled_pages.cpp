#include "app/compiled_pages.h"

#include "resources/resources.h"

namespace borvanta::gtk {

PageSource compiledInPages() {
  return [](std::string_view path) -> std::optional<PageFile> {
    if (!path.starts_with(pageDirectory)) return std::nullopt;
    const std::string_view name = path.substr(pageDirectory.size());
    const std::optional<std::string_view> bytes = resource(name);
    if (!bytes) return std::nullopt;
    return PageFile{*bytes, resourceMediaType(name)};
  };
}

}  // namespace borvanta::gtk
