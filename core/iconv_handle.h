#pragma once
// An iconv conversion descriptor that closes itself.

#include <iconv.h>

#include <string>
#include <string_view>

namespace borvanta {

class IconvHandle {
 public:
  // Throws std::runtime_error when the C library lacks the conversion.
  IconvHandle(const char* to, const char* from);
  ~IconvHandle();
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Runs the conversion over `in`. When a character cannot be converted (or
  // the input is invalid there), `onFailure(out, rest)` is called with the
  // remaining input and returns how many bytes of it to skip; conversion then
  // goes on. Returns the converted bytes.
  template <class OnFailure>
  std::string convert(std::string_view in, OnFailure onFailure);

 private:
  // One step: converts as much as it can; returns false at a failure.
  bool step(const char*& in, std::size_t& inLeft, std::string& out);

  iconv_t handle_;
};

template <class OnFailure>
std::string IconvHandle::convert(std::string_view in, OnFailure onFailure) {
  std::string out;
  out.reserve(in.size() + in.size() / 2 + 4);
  const char* next = in.data();
  std::size_t left = in.size();
  while (left > 0) {
    if (step(next, left, out)) break;
    std::size_t skip = onFailure(out, std::string_view(next, left));
    if (skip > left) skip = left;
    next += skip;
    left -= skip;
  }
  return out;
}

}  // namespace borvanta
