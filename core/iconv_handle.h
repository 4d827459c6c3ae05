#pragma once
// An iconv conversion descriptor that closes itself. It builds each result
// in a buffer it keeps, so that a result owns exactly its own bytes and a
// handle that converts many texts does not allocate the room anew.

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
  // output so far and the remaining input and returns how many bytes of it to
  // skip; conversion then goes on. Returns the converted bytes.
  template <class OnFailure>
  std::string convert(std::string_view in, OnFailure onFailure);

 private:
  // One step: converts as much as it can onto the end of `scratch_`;
  // returns false at a failure.
  bool step(const char*& in, std::size_t& inLeft);

  iconv_t handle_;
  std::string scratch_;
};

template <class OnFailure>
std::string IconvHandle::convert(std::string_view in, OnFailure onFailure) {
  scratch_.clear();
  const char* next = in.data();
  std::size_t left = in.size();
  while (left > 0) {
    if (step(next, left)) break;
    std::size_t skip = onFailure(scratch_, std::string_view(next, left));
    if (skip > left) skip = left;
    next += skip;
    left -= skip;
  }
  return scratch_;
}

}  // namespace borvanta
