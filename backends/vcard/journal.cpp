#include "backends/vcard/journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

namespace {

constexpr std::string_view kMagic = "BVJRNL01";
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordHead = 12;  // kind, padding, card, length
constexpr std::uint32_t kFoldCard = 0xFFFFFFFFu;

// CRC-32 (IEEE 802.3) eight bytes at a time: table k gives the CRC of a
// byte followed by k zero bytes.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

CrcTables makeCrcTables() {
  CrcTables tables{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (std::uint32_t n = 0; n < 256; ++n) {
    for (std::size_t k = 1; k < 8; ++k)
      tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
  }
  return tables;
}

// Carries a running CRC (before its final inversion) over `bytes`.
std::uint32_t crcUpdate(std::uint32_t c, std::string_view bytes) {
  static const CrcTables t = makeCrcTables();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  for (; left >= 8; p += 8, left -= 8) {
    const std::uint32_t low = c ^ (std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                   std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
    c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
        t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; left > 0; ++p, --left)
    c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return c;
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
  return crcUpdate(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu;
}

// FNV-1a taken eight bytes at a time, then byte by byte for the rest: a
// whole file is hashed at every open and fold-in, and a multiplication per
// byte would make that a noticeable part of a run over a large book.
std::uint64_t contentHash(std::string_view bytes) {
  constexpr std::uint64_t kPrime = 0x100000001b3ull;
  std::uint64_t hash = 0xcbf29ce484222325ull;
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, 8);
    hash ^= word;
    hash *= kPrime;
    hash ^= hash >> 29;
  }
  for (; at < bytes.size(); ++at) {
    hash ^= static_cast<unsigned char>(bytes[at]);
    hash *= kPrime;
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
  // Read and write: a shared mapping that is written to needs both.
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!fd.valid()) throw systemError(path, "만드는 중", errno);
  const std::string head = header(base);
  writeAll(fd.get(), head, path);
  flushToDisk(fd.get(), path, false);
  flushDirectoryOf(path);
  return JournalWriter(path, std::move(fd), head.size());
}

JournalWriter JournalWriter::resume(const std::filesystem::path& path, std::uint64_t validLength) {
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.valid()) throw systemError(path, "여는 중", errno);
  if (::ftruncate(fd.get(), static_cast<off_t>(validLength)) != 0) {
    throw systemError(path, "정리하는 중", errno);
  }
  return JournalWriter(path, std::move(fd), validLength);
}

JournalWriter::~JournalWriter() {
  finish();
}

JournalWriter& JournalWriter::operator=(JournalWriter&& other) noexcept {
  if (this != &other) {
    finish();
    path_ = std::move(other.path_);
    fd_ = std::move(other.fd_);
    length_ = other.length_;
    tail_ = std::move(other.tail_);
    broken_ = other.broken_;
  }
  return *this;
}

void JournalWriter::finish() noexcept {
  tail_.reset();
  if (fd_.valid() && !broken_) (void)::ftruncate(fd_.get(), static_cast<off_t>(length_));
}

void JournalWriter::append(char kind, std::uint32_t card, std::string_view payload, bool sync) {
  if (broken_) {
    throw fileError(HRESULT_WRITE_FAULT, path_,
                    "'%s' 저장 기록에 더 쓸 수 없습니다. 앞서 쓰다가 난 오류를 먼저 "
                    "해결하세요.");
  }
  const std::size_t size = kRecordHead + payload.size() + 4;
  try {
    if (char* room = tail_.room(fd_.get(), length_, size)) {
      std::string head;
      head.push_back(kind);
      putLe(head, 0, 3);
      putLe(head, card, 4);
      putLe(head, payload.size(), 4);
      std::string crc;
      putLe(crc, crcUpdate(crcUpdate(0xFFFFFFFFu, head), payload) ^ 0xFFFFFFFFu, 4);
      // The checksum goes last: a record cut short by the process dying
      // fails it, and its reader ends the journal there.
      std::memcpy(room, head.data(), kRecordHead);
      std::memcpy(room + kRecordHead, payload.data(), payload.size());
      std::memcpy(room + kRecordHead + payload.size(), crc.data(), 4);
    } else {
      writeRecord(kind, card, payload);
    }
    if (sync) flushToDisk(fd_.get(), path_, true);
  } catch (const VcardError&) {
    // Cut the half-written record off, so that later records still count;
    // when that fails too, nothing more may be appended after it.
    tail_.reset();
    broken_ = ::ftruncate(fd_.get(), static_cast<off_t>(length_)) != 0;
    throw;
  }
  length_ += size;
}

void JournalWriter::writeRecord(char kind, std::uint32_t card, std::string_view payload) {
  std::string record;
  record.reserve(kRecordHead + payload.size() + 4);
  record.push_back(kind);
  putLe(record, 0, 3);
  putLe(record, card, 4);
  putLe(record, payload.size(), 4);
  record.append(payload);
  putLe(record, crc32(record), 4);
  writeAllAt(fd_.get(), record, length_, path_);
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
