#include "cli/stream_owner.h"

#include "cli/plain_text.h"
#include "core/cp949.h"

namespace borvanta::cli {

StreamOwner::StreamOwner(std::ostream& stream, std::string_view program)
    : stream_(stream), applicationName_(utf8ToCp949(program).text) {}

void StreamOwner::messageBox(std::string_view text, std::string_view caption) {
  stream_ << printable(cp949ToUtf8(caption)) << ": " << printable(cp949ToUtf8(text)) << '\n'
          << std::flush;
}

}  // namespace borvanta::cli
