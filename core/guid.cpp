#include "core/guid.h"

#include "core/text.h"

namespace borvanta {

std::string toString(const Guid& g) {
  const auto& d = g.data4;
  return formatText("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2, g.data3,
                    d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
}

}  // namespace borvanta
