// Large temporary arrays: zeroed, every element of their own, at the sizes on both sides of the
// point from which they are mapped from the system.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/rtl/LargeArray.h"

namespace {

struct TWide {
  uint64_t A, B;
};

TEST(LargeArray, StartsZeroedAndKeepsEveryElement) {
  struct Case {
    const char* Name;
    size_t Count;
  } Cases[] = {
      {"none", 0},
      {"one", 1},
      {"just below the mapped size", (size_t(2) << 20) / sizeof(TWide) - 1},
      {"the mapped size", (size_t(2) << 20) / sizeof(TWide)},
      {"several huge pages and a part", (size_t(5) << 20) / sizeof(TWide) + 3},
  };
  for (const Case& C : Cases) {
    TLargeArray<TWide> L(C.Count);
    ASSERT_EQ(L.size(), C.Count) << C.Name;
    bool Zero = true;
    for (size_t i = 0; i < C.Count; ++i) Zero = Zero && L[i].A == 0 && L[i].B == 0;
    EXPECT_TRUE(Zero) << C.Name;
    for (size_t i = 0; i < C.Count; ++i) L[i] = {i, ~i};
    bool Kept = true;
    for (size_t i = 0; i < C.Count; ++i) Kept = Kept && L[i].A == i && L[i].B == ~i;
    EXPECT_TRUE(Kept) << C.Name;
  }
}

#ifdef __GLIBC__
// A filter over a million rows takes and frees blocks of several megabytes again and again: they
// come from the heap, which keeps them for the next time, not from mappings of their own that the
// system has to fault in afresh each time.
TEST(LargeArray, BlocksOfMegabytesComeFromTheHeap) {
  LargeMemory::KeepFreedMemory();
  const size_t MappedBefore = mallinfo2().hblkhd;
  void* Block = std::malloc(size_t(8) << 20);
  ASSERT_NE(Block, nullptr);
  EXPECT_EQ(mallinfo2().hblkhd, MappedBefore);
  std::free(Block);
}
#endif

}  // namespace
