#include "service/processmemory.h"

#include <malloc.h>

namespace opal {

void ReturnLargeBuffersAfterUse() {
  // A fixed threshold also switches off the allocator's dynamic raising of it.
  constexpr int kLargeBufferBytes = 256 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBufferBytes);
}

}  // namespace opal
