#pragma once

namespace opal {

// A print allocates a page's raster and stream buffers of several megabytes each time. The
// allocator would otherwise raise its own threshold after the first of them is freed and keep
// later ones in the heap, where the pages stay resident after the print: a session's memory
// would then settle 10-40 MiB higher than one print needs. Call once, first thing in main().
void ReturnLargeBuffersAfterUse();

}  // namespace opal
