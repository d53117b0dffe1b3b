#include "platform/rtl/LargeArray.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t HugePage = size_t(2) << 20;

size_t RoundUp(size_t V, size_t To) { return (V + To - 1) / To * To; }

}  // namespace

namespace LargeMemory {

void* Acquire(size_t Bytes, bool& Mapped) {
  Mapped = false;
  if (Bytes == 0) return nullptr;
  if (Bytes < HugePage) {
    void* P = std::calloc(Bytes, 1);
    if (!P) throw std::bad_alloc();
    return P;
  }
  // One huge page more than needed, so that an aligned run of whole huge pages lies inside; the
  // parts before and after it go back at once.
  const size_t Length = RoundUp(Bytes, HugePage);
  void* Raw = mmap(nullptr, Length + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (Raw == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t Start = reinterpret_cast<uintptr_t>(Raw);
  const uintptr_t Aligned = RoundUp(Start, HugePage);
  if (Aligned > Start) munmap(Raw, Aligned - Start);
  const uintptr_t End = Start + Length + HugePage;
  if (End > Aligned + Length) munmap(reinterpret_cast<void*>(Aligned + Length), End - (Aligned + Length));
#ifdef MADV_HUGEPAGE
  madvise(reinterpret_cast<void*>(Aligned), Length, MADV_HUGEPAGE);  // only a hint: without it, 4 KB pages
#endif
  Mapped = true;
  return reinterpret_cast<void*>(Aligned);
}

void Release(void* P, size_t Bytes, bool Mapped) noexcept {
  if (!P) return;
  if (Mapped)
    munmap(P, RoundUp(Bytes, HugePage));
  else
    std::free(P);
}

void KeepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

}  // namespace LargeMemory
