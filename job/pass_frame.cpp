#include "job/pass_frame.h"

namespace borvanta {

std::int32_t progressPercent(std::int32_t i, std::int32_t count) {
  if (count <= 0) return 100;
  const double percent = static_cast<double>(i) / static_cast<double>(count) * 100.0;
  return static_cast<std::int32_t>(percent);
}

}  // namespace borvanta
