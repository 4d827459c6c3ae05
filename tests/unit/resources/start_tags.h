#pragma once
// Just enough of an HTML reader for the tests of the compiled-in page: the
// start tags of a document with their attributes, in document order.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace borvanta::testing_support {

struct StartTag {
  std::string name;                               // lower case
  std::map<std::string, std::string> attributes;  // names in lower case
  std::size_t offset = 0;                         // of its "<"
  std::size_t end = 0;                            // just behind its ">"

  [[nodiscard]] bool has(const std::string& attribute) const {
    return attributes.count(attribute) != 0;
  }
  [[nodiscard]] std::optional<std::string> get(const std::string& attribute) const;
};

// Every start tag outside comments. Entities in attribute values are not
// decoded (the page needs none).
[[nodiscard]] std::vector<StartTag> startTags(std::string_view html);

// The text from behind `tag` up to the next tag, white space trimmed.
[[nodiscard]] std::string textAfter(std::string_view html, const StartTag& tag);

}  // namespace borvanta::testing_support
