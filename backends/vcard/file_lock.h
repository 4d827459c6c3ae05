#pragma once
// An exclusive lock on a .vcf file, so that two processes never write the
// same file. The lock sits on the file itself (flock), so it leaves nothing
// behind; when the file is replaced by a new one, the lock moves to the new
// file before that file takes the old one's name.

#include <filesystem>

#include "backends/vcard/file_io.h"

namespace borvanta::vcard {

class FileLock {
 public:
  // Opens `path` for reading and locks it. Throws VcardError: the file is
  // missing or unreadable, or another process holds it
  // (HRESULT_SHARING_VIOLATION).
  static FileLock acquire(const std::filesystem::path& path);

  FileLock() = default;
  FileLock(FileLock&&) noexcept = default;
  FileLock& operator=(FileLock&&) noexcept = default;

  // The locked file, open for reading.
  [[nodiscard]] int fd() const { return fd_.get(); }
  [[nodiscard]] bool held() const { return fd_.valid(); }

  // Locks `replacement` (a new file not yet visible under the name) so that
  // it can take over; false when it cannot be locked.
  [[nodiscard]] static bool lockReplacement(int replacement);
  // The file now under the name is `replacement`, locked by lockReplacement.
  void moveTo(UniqueFd replacement) { fd_ = std::move(replacement); }
  void release() { fd_.reset(); }

 private:
  explicit FileLock(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;
};

}  // namespace borvanta::vcard
