#include "backends/vcard/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

void UniqueFd::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

FileIdentity identityOf(const struct stat& status) {
  FileIdentity identity;
  identity.device = status.st_dev;
  identity.inode = status.st_ino;
  identity.size = status.st_size;
  identity.modifiedNs = status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec;
  identity.changedNs = status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec;
  return identity;
}

std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return identityOf(status);
}

std::filesystem::path besides(const std::filesystem::path& path, std::string_view suffix) {
  std::filesystem::path result = path;
  result += std::string(suffix);
  return result;
}

std::string readAll(int fd, const std::filesystem::path& path) {
  std::string bytes;
  struct stat status {};
  if (::fstat(fd, &status) == 0 && status.st_size > 0) {
    bytes.reserve(static_cast<std::size_t>(status.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw systemError(path, "읽는 중", errno);
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) throw systemError(path, "쓰는 중", errno);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
}

void writeAllAt(int fd, std::string_view bytes, std::uint64_t offset,
                const std::filesystem::path& path) {
  while (!bytes.empty()) {
    const ssize_t put = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) throw systemError(path, "쓰는 중", errno);
    bytes.remove_prefix(static_cast<std::size_t>(put));
    offset += static_cast<std::uint64_t>(put);
  }
}

void flushToDisk(int fd, const std::filesystem::path& path, bool dataOnly) {
  const int result = dataOnly ? ::fdatasync(fd) : ::fsync(fd);
  if (result != 0) throw systemError(path, "디스크에 기록하는 중", errno);
}

void flushDirectoryOf(const std::filesystem::path& path) {
  const std::filesystem::path directory =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  UniqueFd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) throw systemError(path, "담은 폴더를 여는 중", errno);
  // Some file systems cannot flush a directory; the rename is then as
  // durable as they make it.
  if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != ENOTSUP) {
    throw systemError(path, "담은 폴더를 디스크에 기록하는 중", errno);
  }
}

void renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) throw systemError(to, "바꾸어 넣는 중", errno);
}

bool removeIfPresent(const std::filesystem::path& path) noexcept {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, mode_t mode) {
  const std::filesystem::path temporary = besides(path, ".borvanta-tmp");
  UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode));
  if (!fd.valid()) throw systemError(temporary, "만드는 중", errno);
  try {
    writeAll(fd.get(), bytes, temporary);
    flushToDisk(fd.get(), temporary, false);
    fd.reset();
    renameFile(temporary, path);
  } catch (...) {
    removeIfPresent(temporary);
    throw;
  }
  flushDirectoryOf(path);
}

}  // namespace borvanta::vcard
