#pragma once
// The table of files compiled into the program, as the build writes it.
// Used only by the resource lookup.

#include <cstddef>

namespace borvanta::embedded {

struct EmbeddedFile {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedFile files[];
extern const std::size_t fileCount;

}  // namespace borvanta::embedded
