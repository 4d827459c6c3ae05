#pragma once
// The end of a file that is being appended to, reserved on the disk in large
// chunks and mapped into memory, so that appending is a copy and no system
// call. Stores into a shared mapping of a file are the file's as soon as they
// are made: they survive the process being killed (the machine failing is
// another matter: flush the file for that). Reserving the blocks first means
// no store can fault for want of disk space.
//
// The file grows by whole chunks: past its last appended byte it holds zero
// bytes, which its reader must take for the end.

#include <cstddef>
#include <cstdint>

namespace borvanta::vcard {

class MappedTail {
 public:
  MappedTail() = default;
  ~MappedTail() { reset(); }
  MappedTail(MappedTail&& other) noexcept;
  MappedTail& operator=(MappedTail&& other) noexcept;
  MappedTail(const MappedTail&) = delete;
  MappedTail& operator=(const MappedTail&) = delete;

  // Room for `size` bytes at `offset` of the file `fd`, whose appended bytes
  // end at `offset`: where to store them, or nullptr when the room cannot be
  // reserved or mapped (no space, a size limit, a file system that cannot
  // reserve), and the caller writes them itself.
  [[nodiscard]] char* room(int fd, std::uint64_t offset, std::size_t size);
  // Lets go of the mapping and forgets the reservation (the file was cut
  // back to its appended bytes).
  void reset() noexcept;

 private:
  bool grow(int fd, std::uint64_t offset, std::uint64_t end);

  char* base_ = nullptr;
  std::uint64_t mapOffset_ = 0;  // page aligned
  std::size_t mapSize_ = 0;
  std::uint64_t reserved_ = 0;  // the file's size as grown here; 0: not grown
  bool unsupported_ = false;    // the file system cannot reserve space
};

}  // namespace borvanta::vcard
