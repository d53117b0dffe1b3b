// Lets a test run out of memory the way a huge input does, without taking the memory: while an
// object of this class lives, every allocation through operator new of at least the given size
// raises std::bad_alloc. A test executable that uses it links RefuseLargeAllocations.cpp, which
// replaces the global operator new and delete with all their plain, array and nothrow forms
// (forwarding everything else to malloc and free).
#pragma once

#include <cstddef>

class TRefuse_Large_Allocations {
 public:
  explicit TRefuse_Large_Allocations(std::size_t From_Size);
  ~TRefuse_Large_Allocations();
  TRefuse_Large_Allocations(const TRefuse_Large_Allocations&) = delete;
  TRefuse_Large_Allocations& operator=(const TRefuse_Large_Allocations&) = delete;
};
