#include "base/memory.h"

#include <cstddef>  // defines __GLIBC__

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace dosber {

void usehugepageheap() {
#if defined(__linux__) && defined(__GLIBC__)
  constexpr size_t huge = size_t(2) << 20;
  // Blocks up to 32 MiB from the heap, the heap grown 192 MiB at a time (only
  // what is touched becomes memory) and never trimmed.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 192 << 20);
  auto* before = static_cast<char*>(sbrk(0));
  void* volatile grow = std::malloc(1 << 20);
  std::free(grow);
  auto* after = static_cast<char*>(sbrk(0));
  auto start = (reinterpret_cast<uintptr_t>(before) + huge - 1) & ~uintptr_t(huge - 1);
  // Under a sanitizer's allocator the heap does not move: nothing to mark.
  if (after != reinterpret_cast<char*>(-1) && reinterpret_cast<char*>(start) < after)
    madvise(reinterpret_cast<void*>(start), static_cast<size_t>(after - reinterpret_cast<char*>(start)), MADV_HUGEPAGE);
#endif
}

}  // namespace dosber
