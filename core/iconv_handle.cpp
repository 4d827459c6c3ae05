#include "core/iconv_handle.h"

#include <cerrno>
#include <stdexcept>

namespace borvanta {

namespace {
const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);  // NOLINT: iconv's failure value
}

IconvHandle::IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
  if (handle_ == kInvalid) {
    throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
}

IconvHandle::~IconvHandle() {
  iconv_close(handle_);
}

bool IconvHandle::step(const char*& in, std::size_t& inLeft) {
  std::string& out = scratch_;
  while (inLeft > 0) {
    const std::size_t used = out.size();
    const std::size_t room = inLeft * 4 + 16;
    out.resize(used + room);
    char* inPtr = const_cast<char*>(in);  // NOLINT: iconv's signature is not const-correct
    char* outPtr = out.data() + used;
    std::size_t outLeft = room;
    const std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.resize(used + (room - outLeft));
    in = inPtr;
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return false;
  }
  return true;
}

}  // namespace borvanta
