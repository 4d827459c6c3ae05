#include "backends/vcard/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "backends/vcard/vcard_error.h"

namespace borvanta::vcard {

namespace {

// Another process can replace the file between our open and our lock; the
// lock then sits on a file no longer under the name, so we try again.
constexpr int kAttempts = 10;

VcardError heldElsewhere(const std::filesystem::path& path) {
  return fileError(HRESULT_SHARING_VIOLATION, path,
                   "'%s' 파일을 다른 보르반타 프로그램이 쓰고 있습니다. 그 프로그램이 끝난 "
                   "뒤에 다시 하세요.");
}

}  // namespace

FileLock FileLock::acquire(const std::filesystem::path& path) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) throw systemError(path, "여는 중", errno);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) throw systemError(path, "여는 중", errno);
    if (!S_ISREG(opened.st_mode)) {
      throw fileError(HRESULT_INVALID_DATA, path, "'%s'은(는) 보통 파일이 아닙니다.");
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) throw heldElsewhere(path);
      throw systemError(path, "잠그는 중", errno);
    }
    const std::optional<FileIdentity> now = currentIdentity(path);
    if (now && now->device == opened.st_dev && now->inode == opened.st_ino) {
      return FileLock(std::move(fd));
    }
  }
  throw heldElsewhere(path);
}

bool FileLock::lockReplacement(int replacement) {
  return ::flock(replacement, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace borvanta::vcard
