// Counts the heap allocations of the running thread while an object of this class lives: the bytes
// asked for in all, and the most that were in use at once. The test programs that check an
// operation's memory grows with its input as it should link tests/AllocationCount.cpp. Under
// AddressSanitizer, which keeps the heap itself, nothing is counted and Available() is false.
#pragma once

#include <cstddef>

class TAllocationCount {
 public:
  TAllocationCount();
  ~TAllocationCount();
  TAllocationCount(const TAllocationCount&) = delete;
  TAllocationCount& operator=(const TAllocationCount&) = delete;

  static bool Available();
  // Bytes allocated since the object was made.
  size_t Allocated() const;
  // The most bytes in use at once since the object was made, above what was in use then.
  size_t Peak() const;
};
