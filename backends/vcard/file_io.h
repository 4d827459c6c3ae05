#pragma once
// The few file operations the store is built from, each failing with a
// VcardError that names the file: whole reads and writes, flushes to the
// disk (of files and of the directory that holds them), atomic renames, and
// the identity that tells whether another program replaced or changed a file.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace borvanta::vcard {

// A file descriptor that closes itself.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.release();
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  [[nodiscard]] int get() const { return fd_; }
  [[nodiscard]] bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset();

 private:
  int fd_ = -1;
};

// What changes when any program writes or replaces a file.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

[[nodiscard]] FileIdentity identityOf(const struct stat& status);
// The identity of the file now at `path`; nothing when there is none.
[[nodiscard]] std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path);

// `path` with `suffix` appended to its file name ("a.vcf" -> "a.vcf.bak").
[[nodiscard]] std::filesystem::path besides(const std::filesystem::path& path,
                                            std::string_view suffix);

[[nodiscard]] std::string readAll(int fd, const std::filesystem::path& path);
void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path);
// Writes `bytes` at `offset`, whatever the file's position.
void writeAllAt(int fd, std::string_view bytes, std::uint64_t offset,
                const std::filesystem::path& path);
// fdatasync when `dataOnly`, else fsync.
void flushToDisk(int fd, const std::filesystem::path& path, bool dataOnly);
void flushDirectoryOf(const std::filesystem::path& path);
void renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Removes `path` if it exists; false when it could not.
bool removeIfPresent(const std::filesystem::path& path) noexcept;

// Writes `bytes` to `path` through a new file beside it: write, flush,
// rename, flush the directory. The file gets `mode`.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode);

}  // namespace borvanta::vcard
