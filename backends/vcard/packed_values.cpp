#include "backends/vcard/packed_values.h"

namespace borvanta::vcard {

PackedValues::PackedValues(const ContactValues& values) {
  std::size_t size = 0;
  for (const std::string& value : values)
    size += value.size();
  text_.reserve(size);
  for (std::size_t i = 0; i < values.size(); ++i) {
    text_ += values[i];
    ends_[i] = static_cast<std::uint32_t>(text_.size());
  }
}

ContactValues PackedValues::unpacked() const {
  ContactValues values;
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = std::string((*this)[i]);
  return values;
}

}  // namespace borvanta::vcard
