// The global allocation functions of a test program, counting what the thread that asked for a
// count allocates (see AllocationCount.h).
#include "tests/AllocationCount.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define KP_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KP_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef KP_COUNT_ALLOCATIONS
#define KP_COUNT_ALLOCATIONS 1
#endif

namespace {

struct TCounts {
  int Active = 0;
  size_t Allocated = 0;
  long long InUse = 0;  // can go below zero: blocks made before the count are freed during it
  long long Peak = 0;
};
thread_local TCounts Counts;

}  // namespace

#if KP_COUNT_ALLOCATIONS

namespace {

void* Allocate(std::size_t Size) {
  void* P = std::malloc(Size ? Size : 1);
  if (P && Counts.Active > 0) {
    const size_t Usable = malloc_usable_size(P);
    Counts.Allocated += Usable;
    Counts.InUse += static_cast<long long>(Usable);
    if (Counts.InUse > Counts.Peak) Counts.Peak = Counts.InUse;
  }
  return P;
}

void Release(void* P) {
  if (P && Counts.Active > 0) Counts.InUse -= static_cast<long long>(malloc_usable_size(P));
  std::free(P);
}

}  // namespace

void* operator new(std::size_t Size) {
  if (void* P = Allocate(Size)) return P;
  throw std::bad_alloc();
}
void* operator new[](std::size_t Size) {
  if (void* P = Allocate(Size)) return P;
  throw std::bad_alloc();
}
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void operator delete(void* P) noexcept { Release(P); }
void operator delete[](void* P) noexcept { Release(P); }
void operator delete(void* P, std::size_t) noexcept { Release(P); }
void operator delete[](void* P, std::size_t) noexcept { Release(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { Release(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { Release(P); }

#endif

TAllocationCount::TAllocationCount() {
  if (Counts.Active++ == 0) Counts = TCounts{1, 0, 0, 0};
}

TAllocationCount::~TAllocationCount() { --Counts.Active; }

bool TAllocationCount::Available() { return KP_COUNT_ALLOCATIONS != 0; }

size_t TAllocationCount::Allocated() const { return Counts.Allocated; }

size_t TAllocationCount::Peak() const { return static_cast<size_t>(Counts.Peak); }
