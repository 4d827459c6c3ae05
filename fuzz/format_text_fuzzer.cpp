// formatText never cuts anything off: for the formats the program uses, and
// for texts of every length around its buffer sizes, it gives exactly what
// printf-style formatting into a buffer of the right size gives. The input
// is a control byte (which format), two bytes of a number, then up to three
// texts separated by NUL bytes.

#include <cstdio>
#include <string>
#include <vector>

#include "core/cp949.h"
#include "core/text.h"
#include "fuzz/fuzz_check.h"

namespace {

// What printf-style formatting gives, measured first, so nothing is cut.
template <class... Args>
std::string printed(const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  FUZZ_CHECK(length >= 0);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), format, args...);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

template <class... Args>
void checkFormat(const char* format, Args... args) {
  const std::string made = borvanta::formatText(format, args...);
  FUZZ_CHECK(made == printed(format, args...));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) {
    FUZZ_CHECK(borvanta::formatText(nullptr).empty());
    return 0;
  }
  const int choice = data[0] % 8;
  const int number = (data[1] << 8 | data[2]) - 0x8000;  // -32768 to 32767
  const auto parts =
      borvanta::fuzz::splitInput(borvanta::fuzz::asText(data + 3, size - 3), '\0', 3);
  const std::string a(parts[0]);
  const std::string b(parts[1]);
  const std::string c(parts[2]);
  static const std::string update = borvanta::cp949("갱신 (%s -> %s,%s)");
  static const std::string reading = borvanta::cp949("%d 개의 연락처를 읽기 시작합니다");
  static const std::string stopped = borvanta::cp949(
      "<B><FONT COLOR=RED>%s 연락처에서 오류가 나서 정리를 멈췄습니다: %s</FONT></B>");
  switch (choice) {
    case 0:
      checkFormat("%s", a.c_str());
      break;
    case 1:
      checkFormat("%s%s", a.c_str(), b.c_str());
      break;
    case 2:
      checkFormat("%s %s", a.c_str(), b.c_str());
      break;
    case 3:
      checkFormat(update.c_str(), a.c_str(), b.c_str(), c.c_str());
      break;
    case 4:
      checkFormat(reading.c_str(), number);
      break;
    case 5:
      checkFormat(stopped.c_str(), a.c_str(), b.c_str());
      break;
    case 6:  // a precision that cuts the argument on purpose
      checkFormat("%.*s|%s", number & 0x1FFF, a.c_str(), b.c_str());
      break;
    default:  // a field width that makes a long text from a short one
      checkFormat("%*d%s", number & 0x3FFF, number, a.c_str());
      break;
  }
  return 0;
}
