#include "backends/vcard/journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

namespace {

constexpr std::string_view kMagic = "BVJRNL01";
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordHead = 12;  // kind, padding, card, length
constexpr std::uint32_t kFoldCard = 0xFFFFFFFFu;

std::array<std::uint32_t, 256> makeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void putLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t getLe(std::string_view in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
  return value;
}

std::string header(FileStamp base) {
  std::string out(kMagic);
  putLe(out, base.size, 8);
  putLe(out, base.hash, 8);
  putLe(out, 0, 4);
  putLe(out, crc32(out), 4);
  return out;
}

VcardError foreignJournal(const std::filesystem::path& path) {
  return fileError(HRESULT_INVALID_DATA, path,
                   "'%s' 파일은 보르반타의 저장 기록이 아닙니다. 옮기거나 지운 뒤에 다시 "
                   "하세요.");
}

}  // namespace

std::uint32_t crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = makeCrcTable();
  std::uint32_t c = 0xFFFFFFFFu;
  for (char byte : bytes)
    c = table[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint64_t contentHash(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

FileStamp stampOf(std::string_view bytes) {
  return {bytes.size(), contentHash(bytes)};
}

std::optional<JournalContents> readJournal(const std::filesystem::path& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    if (errno == ENOENT) return std::nullopt;
    throw systemError(path, "여는 중", errno);
  }
  const std::string bytes = readAll(fd.get(), path);
  if (bytes.size() < kHeaderSize) {
    if (kMagic.substr(0, bytes.size()) != std::string_view(bytes).substr(0, kMagic.size())) {
      throw foreignJournal(path);
    }
    return std::nullopt;  // the header itself was never written whole
  }
  const std::string_view view(bytes);
  if (view.substr(0, kMagic.size()) != kMagic) throw foreignJournal(path);
  if (crc32(view.substr(0, 28)) != getLe(view, 28, 4)) return std::nullopt;
  JournalContents contents;
  contents.base = {getLe(view, 8, 8), getLe(view, 16, 8)};
  std::size_t at = kHeaderSize;
  while (view.size() - at >= kRecordHead + 4) {
    const char kind = view[at];
    const auto card = static_cast<std::uint32_t>(getLe(view, at + 4, 4));
    const std::uint64_t length = getLe(view, at + 8, 4);
    if (view.size() - at - kRecordHead - 4 < length) break;
    const std::size_t end = at + kRecordHead + static_cast<std::size_t>(length);
    if (crc32(view.substr(at, end - at)) != getLe(view, end, 4)) break;
    const std::string_view payload = view.substr(at + kRecordHead, length);
    if (kind == 'C') {
      contents.records.push_back({card, std::string(payload)});
    } else if (kind == 'F' && card == kFoldCard && payload.size() == 16) {
      contents.folded = FileStamp{getLe(payload, 0, 8), getLe(payload, 8, 8)};
    } else {
      break;
    }
    at = end + 4;
  }
  contents.validLength = at;
  return contents;
}

JournalWriter JournalWriter::create(const std::filesystem::path& path, FileStamp base) {
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!fd.valid()) throw systemError(path, "만드는 중", errno);
  const std::string head = header(base);
  writeAll(fd.get(), head, path);
  flushToDisk(fd.get(), path, false);
  flushDirectoryOf(path);
  return JournalWriter(path, std::move(fd), head.size());
}

JournalWriter JournalWriter::resume(const std::filesystem::path& path, std::uint64_t validLength) {
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd.valid()) throw systemError(path, "여는 중", errno);
  if (::ftruncate(fd.get(), static_cast<off_t>(validLength)) != 0 ||
      ::lseek(fd.get(), static_cast<off_t>(validLength), SEEK_SET) < 0) {
    throw systemError(path, "정리하는 중", errno);
  }
  return JournalWriter(path, std::move(fd), validLength);
}

void JournalWriter::append(char kind, std::uint32_t card, std::string_view payload, bool sync) {
  std::string record;
  record.reserve(kRecordHead + payload.size() + 4);
  record.push_back(kind);
  putLe(record, 0, 3);
  putLe(record, card, 4);
  putLe(record, payload.size(), 4);
  record.append(payload);
  putLe(record, crc32(record), 4);
  if (broken_) {
    throw fileError(HRESULT_WRITE_FAULT, path_,
                    "'%s' 저장 기록에 더 쓸 수 없습니다. 앞서 쓰다가 난 오류를 먼저 "
                    "해결하세요.");
  }
  try {
    writeAll(fd_.get(), record, path_);
    if (sync) flushToDisk(fd_.get(), path_, true);
  } catch (const VcardError&) {
    // Cut the half-written record off, so that later records still count;
    // when that fails too, nothing more may be appended after it.
    broken_ = ::ftruncate(fd_.get(), static_cast<off_t>(length_)) != 0 ||
              ::lseek(fd_.get(), static_cast<off_t>(length_), SEEK_SET) < 0;
    throw;
  }
  length_ += record.size();
}

void JournalWriter::appendCard(std::uint32_t card, std::string_view text, bool sync) {
  append('C', card, text, sync);
}

void JournalWriter::appendFold(FileStamp result) {
  std::string payload;
  putLe(payload, result.size, 8);
  putLe(payload, result.hash, 8);
  append('F', kFoldCard, payload, true);
}

}  // namespace borvanta::vcard
