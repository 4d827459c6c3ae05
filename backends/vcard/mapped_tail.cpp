#include "backends/vcard/mapped_tail.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace borvanta::vcard {

namespace {

// Large enough that growing is rare, small enough that the mapped pages a
// process holds stay few.
constexpr std::uint64_t kChunk = 8u << 20;

std::uint64_t pageSize() {
  const long size = ::sysconf(_SC_PAGESIZE);
  return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

// The largest size a file may grow to for this process; growing past it
// would raise SIGXFSZ where writing the same bytes one by one might not.
std::uint64_t fileSizeLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return UINT64_MAX;
  }
  return limit.rlim_cur;
}

}  // namespace

MappedTail::MappedTail(MappedTail&& other) noexcept
    : base_(std::exchange(other.base_, nullptr)),
      mapOffset_(other.mapOffset_),
      mapSize_(std::exchange(other.mapSize_, 0)),
      reserved_(std::exchange(other.reserved_, 0)),
      unsupported_(other.unsupported_) {}

MappedTail& MappedTail::operator=(MappedTail&& other) noexcept {
  if (this != &other) {
    reset();
    base_ = std::exchange(other.base_, nullptr);
    mapOffset_ = other.mapOffset_;
    mapSize_ = std::exchange(other.mapSize_, 0);
    reserved_ = std::exchange(other.reserved_, 0);
    unsupported_ = other.unsupported_;
  }
  return *this;
}

void MappedTail::reset() noexcept {
  if (base_ != nullptr) ::munmap(base_, mapSize_);
  base_ = nullptr;
  mapSize_ = 0;
  reserved_ = 0;
}

char* MappedTail::room(int fd, std::uint64_t offset, std::size_t size) {
  const std::uint64_t end = offset + size;
  const bool mapped = base_ != nullptr && offset >= mapOffset_ && end <= mapOffset_ + mapSize_;
  if (!mapped && !grow(fd, offset, end)) return nullptr;
  return base_ + (offset - mapOffset_);
}

bool MappedTail::grow(int fd, std::uint64_t offset, std::uint64_t end) {
  if (unsupported_) return false;
  const std::uint64_t page = pageSize();
  if (reserved_ < offset) reserved_ = offset;  // the file ends at its appended bytes
  if (end > reserved_) {
    std::uint64_t target = std::max(end, reserved_ + kChunk);
    target = (target + page - 1) / page * page;
    target = std::min(target, fileSizeLimit());
    if (target < end) return false;
    // The C library's posix_fallocate would write zeros where the file
    // system cannot reserve; this asks the file system alone.
    if (::fallocate(fd, 0, static_cast<off_t>(reserved_), static_cast<off_t>(target - reserved_)) !=
        0) {
      if (errno == EOPNOTSUPP || errno == ENOSYS) unsupported_ = true;
      return false;
    }
    reserved_ = target;
  }
  if (base_ != nullptr) ::munmap(base_, mapSize_);
  base_ = nullptr;
  mapOffset_ = offset / page * page;
  mapSize_ = static_cast<std::size_t>(reserved_ - mapOffset_);
  // Populated: its pages are made once here rather than faulted in one by
  // one as records reach them.
  void* map = ::mmap(nullptr, mapSize_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd,
                     static_cast<off_t>(mapOffset_));
  if (map == MAP_FAILED) {
    mapSize_ = 0;
    unsupported_ = true;
    return false;
  }
  base_ = static_cast<char*>(map);
  return true;
}

}  // namespace borvanta::vcard
