#include "bench/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace borvanta::bench {

namespace {

// The one piece of mutable process-wide state of the benchmarks: a counting
// operator new has nowhere else to count.
std::atomic<std::uint64_t> allocations{0};

void* allocate(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

std::uint64_t allocationCount() {
  return allocations.load(std::memory_order_relaxed);
}

}  // namespace borvanta::bench

// The replaceable global allocation functions; the nothrow forms of the
// standard library call these.
void* operator new(std::size_t size) {
  return borvanta::bench::allocate(size);
}
void* operator new[](std::size_t size) {
  return borvanta::bench::allocate(size);
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}
