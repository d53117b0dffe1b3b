// A fixed number of zeroed, trivially copyable elements for large temporary work, such as a sort's
// items over a million rows. From 2 MB on the memory is mapped from the system on its own, aligned
// to 2 MB and marked for huge pages where the system gives them: filling the array then costs one
// page fault per 2 MB instead of one per 4 KB, and pages never touched cost nothing. Smaller
// arrays come from the heap.
#pragma once

#include <cstddef>
#include <type_traits>

namespace LargeMemory {
// Zeroed memory for Bytes bytes (nullptr for none); Mapped tells Release how to give it back.
// Raises std::bad_alloc when the system has none.
void* Acquire(size_t Bytes, bool& Mapped);
void Release(void* P, size_t Bytes, bool Mapped) noexcept;
// Lets the heap keep up to 128 MB of freed memory and serve blocks below 32 MB itself, instead of
// handing freed memory back to the system at once. A large grid filtered, shown and sorted again
// frees and takes tens of megabytes each time; memory given back has to be faulted in page by page
// when it is taken again, which cost more than the work itself at a million rows. Called once at
// the start of the program.
void KeepFreedMemory();
}  // namespace LargeMemory

template <class T>
class TLargeArray {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                "the elements start as zero bytes and are never destroyed one by one");

 public:
  explicit TLargeArray(size_t Count)
      : FCount(Count), FData(static_cast<T*>(LargeMemory::Acquire(Count * sizeof(T), FMapped))) {}
  ~TLargeArray() { LargeMemory::Release(FData, FCount * sizeof(T), FMapped); }
  TLargeArray(const TLargeArray&) = delete;
  TLargeArray& operator=(const TLargeArray&) = delete;

  size_t size() const { return FCount; }
  T* data() { return FData; }
  T& operator[](size_t i) { return FData[i]; }
  const T& operator[](size_t i) const { return FData[i]; }

 private:
  size_t FCount;
  bool FMapped = false;
  T* FData;
};
