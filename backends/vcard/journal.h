#pragma once
// The journal beside a .vcf file: every saved card, appended before Save
// returns, so that a save survives the process being killed. Records are
// stored into a mapping of the file's reserved tail (no system call per
// save); the tail past the last record holds zero bytes until the writer
// cuts it off, and a reader ends the journal there as at any torn record.
// It names the exact file it applies to (size and hash), so it is never
// replayed onto another. Before the file is replaced with the journal folded
// in, a fold mark records what the new file will be; a journal whose file
// already carries its fold is spent.
//
// Layout (little-endian): a 32-byte header ("BVJRNL01", base size, base hash,
// 4 zero bytes, CRC-32 of the 28 bytes before), then records: kind ('C' card
// or 'F' fold), 3 zero bytes, card index, payload length, payload, CRC-32 of
// everything before it in the record. A record cut short or failing its
// CRC ends the journal: it is the tail of a write that never finished.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/vcard/file_io.h"
#include "backends/vcard/mapped_tail.h"

namespace borvanta::vcard {

[[nodiscard]] std::uint32_t crc32(std::string_view bytes);
// 64-bit FNV-1a: identifies the file a journal belongs to.
[[nodiscard]] std::uint64_t contentHash(std::string_view bytes);

struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t hash = 0;

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
[[nodiscard]] FileStamp stampOf(std::string_view bytes);

struct JournalRecord {
  std::uint32_t card = 0;
  std::string text;
};

struct JournalContents {
  FileStamp base;
  std::vector<JournalRecord> records;  // in order, up to a torn tail
  std::optional<FileStamp> folded;     // the last fold mark
  std::uint64_t validLength = 0;       // bytes up to the end of the last whole record
};

// The journal at `path`: nothing when there is none, or when not even its
// header was written. Throws VcardError when it cannot be read or is not a
// journal of this program.
[[nodiscard]] std::optional<JournalContents> readJournal(const std::filesystem::path& path);

class JournalWriter {
 public:
  // A new journal for the file `base` stands for (any old one is replaced),
  // flushed to the disk with its directory entry.
  static JournalWriter create(const std::filesystem::path& path, FileStamp base);
  // Appends to an existing journal after its last whole record.
  static JournalWriter resume(const std::filesystem::path& path, std::uint64_t validLength);

  // Cuts the reserved tail off, so that the file ends at its last record.
  ~JournalWriter();
  JournalWriter(JournalWriter&& other) noexcept = default;
  JournalWriter& operator=(JournalWriter&& other) noexcept;

  // Appends one saved card; flushed to the disk when `sync`. On failure the
  // journal is cut back to where it was and VcardError is thrown.
  void appendCard(std::uint32_t card, std::string_view text, bool sync);
  // Appends the fold mark for the file about to replace the base; flushed.
  void appendFold(FileStamp result);

 private:
  JournalWriter(std::filesystem::path path, UniqueFd fd, std::uint64_t length)
      : path_(std::move(path)), fd_(std::move(fd)), length_(length) {}
  void append(char kind, std::uint32_t card, std::string_view payload, bool sync);
  void writeRecord(char kind, std::uint32_t card, std::string_view payload);
  void finish() noexcept;

  std::filesystem::path path_;
  UniqueFd fd_;
  std::uint64_t length_ = 0;  // up to the end of the last record
  MappedTail tail_;

  bool broken_ = false;  // a failed append could not be cut off
};

}  // namespace borvanta::vcard
