// The select-number reader: leadingInteger against strtoll of the C library
// (which skips the same six white-space characters, takes a sign, then
// decimal digits), held to the 32-bit range; and the same through the page
// bridge, from a select whose value is the input.

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/cp949.h"
#include "fuzz/fuzz_check.h"
#include "page/headless_message_loop.h"
#include "page/memory_document.h"
#include "page/page_bridge.h"

namespace {

std::int32_t reference(std::string_view text) {
  const std::string copy(text);  // strtoll reads up to the first NUL
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  constexpr long long lowest = std::numeric_limits<std::int32_t>::min();
  constexpr long long highest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::min(std::max(value, lowest), highest));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = borvanta::fuzz::asText(data, size);
  FUZZ_CHECK(borvanta::leadingInteger(input) == reference(input));

  // The page holds UTF-8; the bridge reads it as code page 949.
  static borvanta::HeadlessMessageLoop loop;
  borvanta::PageBridge bridge(loop);
  borvanta::Ref<borvanta::MemoryDocument> page = borvanta::makeRef<borvanta::MemoryDocument>();
  page->addSelect("sbNameType", std::string(input));
  bridge.setDocument(page);
  const std::string narrow = borvanta::utf8ToCp949(input).text;
  FUZZ_CHECK(bridge.readSelectNumber("sbNameType") == reference(narrow));
  return 0;
}
