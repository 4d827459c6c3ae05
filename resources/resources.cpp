#include "resources/resources.h"

#include <algorithm>
#include <iterator>

#include "resources/embedded_files.h"

namespace borvanta {

namespace {

std::string_view bytesOf(const embedded::EmbeddedFile& file) {
  return {reinterpret_cast<const char*>(file.data), file.size};
}

}  // namespace

std::optional<std::string_view> resource(std::string_view name) {
  const embedded::EmbeddedFile* begin = embedded::files;
  const embedded::EmbeddedFile* end = begin + embedded::fileCount;
  const auto* found = std::find_if(
      begin, end, [name](const embedded::EmbeddedFile& file) { return file.name == name; });
  if (found == end) return std::nullopt;
  return bytesOf(*found);
}

std::vector<std::string_view> resourceNames() {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < embedded::fileCount; ++i)
    names.emplace_back(embedded::files[i].name);
  return names;
}

std::string_view resourceMediaType(std::string_view name) {
  struct Type {
    std::string_view ending;
    std::string_view mediaType;
  };
  static const Type types[] = {
      {".html", "text/html; charset=utf-8"},
      {".css", "text/css; charset=utf-8"},
      {".js", "text/javascript; charset=utf-8"},
      {".svg", "image/svg+xml"},
      {".png", "image/png"},
  };
  for (const Type& type : types) {
    if (name.size() > type.ending.size() && name.ends_with(type.ending)) return type.mediaType;
  }
  return "application/octet-stream";
}

}  // namespace borvanta
