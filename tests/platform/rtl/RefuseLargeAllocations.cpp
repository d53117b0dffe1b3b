#include "tests/platform/rtl/RefuseLargeAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// 0: every allocation is served.
std::atomic<std::size_t> Refused_From{0};

}  // namespace

TRefuse_Large_Allocations::TRefuse_Large_Allocations(std::size_t From_Size) { Refused_From = From_Size; }
TRefuse_Large_Allocations::~TRefuse_Large_Allocations() { Refused_From = 0; }

void* operator new(std::size_t Size) {
  const std::size_t from = Refused_From.load(std::memory_order_relaxed);
  if (from != 0 && Size >= from) throw std::bad_alloc();
  if (void* p = std::malloc(Size == 0 ? 1 : Size)) return p;
  throw std::bad_alloc();
}

// The rest of the family (arrays, nothrow) goes through the same two, so every block a replaced
// operator new hands out is freed by the matching delete. The aligned forms stay the library's.
void* operator new[](std::size_t Size) { return ::operator new(Size); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(Size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept {
  return ::operator new(Size, std::nothrow);
}

void operator delete(void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete[](void* P, std::size_t) noexcept { std::free(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { std::free(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { std::free(P); }
