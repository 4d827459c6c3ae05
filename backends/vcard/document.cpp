#include "backends/vcard/document.h"

#include <algorithm>

#include "backends/vcard/physical_lines.h"
#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::size_t lineNumberAt(std::string_view text, std::size_t position) {
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + position, '\n'));
}

void refuseOtherEncodings(std::string_view text) {
  if (startsWith(text, "\xFF\xFE") || startsWith(text, "\xFE\xFF")) {
    throw SyntaxError(1, "UTF-16으로 저장된 파일은 읽지 않습니다. UTF-8로 저장해 주세요");
  }
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    throw SyntaxError(lineNumberAt(text, nul),
                      "글자가 아닌 바이트(NUL)가 있습니다. vCard 파일이 아닙니다");
  }
}

}  // namespace

std::vector<CardLocation> locateCards(std::string_view text) {
  refuseOtherEncodings(text);
  std::vector<CardLocation> cards;
  const std::size_t bodyStart = startsWith(text, kUtf8Bom) ? kUtf8Bom.size() : 0;
  LineCursor cursor(text, bodyStart);
  std::size_t lineNumber = 0;
  int depth = 0;
  CardLocation current;
  for (PhysicalLine line; cursor.next(line);) {
    ++lineNumber;
    const std::string_view content = line.content(text);
    if (depth == 0) {
      if (isCardDelimiter(content, "BEGIN")) {
        depth = 1;
        current = {{line.begin, line.end}, lineNumber};
      } else if (!line.isBlank(text)) {
        throw SyntaxError(lineNumber, cards.empty()
                                          ? "BEGIN:VCARD로 시작하지 않습니다. vCard 파일이 아닙니다"
                                          : "카드 밖에 vCard가 아닌 내용이 있습니다");
      }
      continue;
    }
    if (isCardDelimiter(content, "BEGIN")) {
      ++depth;
    } else if (isCardDelimiter(content, "END") && --depth == 0) {
      current.raw.end = line.end;
      cards.push_back(current);
    }
  }
  if (depth != 0) throw SyntaxError(current.lineNumber, "END:VCARD 없이 파일이 끝났습니다");
  return cards;
}

}  // namespace borvanta::vcard
