#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "fuzz/fuzztext.h"
#include "link/tracefile.h"

namespace {

bool SameEvent(const opal::TraceEvent& a, const opal::TraceEvent& b) {
  if (a.at != b.at || a.kind != b.kind || a.text != b.text || a.failure != b.failure ||
      a.masked != b.masked || a.bytes.size() != b.bytes.size()) {
    return false;
  }
  for (std::size_t k = 0; k < a.bytes.size(); ++k) {
    if (!a.Masked(k) && a.bytes[k] != b.bytes[k]) return false;
  }
  return true;
}

}  // namespace

// A trace sent in from anywhere: it is read or refused with a message, never anything else. What
// is read, written out again, reads as the same events.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  opal::TraceRead read;
  try {
    read = opal::ParseTrace(opal::fuzz::AsText(data, size));
  } catch (const std::runtime_error&) {
    return 0;
  }
  std::string text = opal::FormatTraceHeader(read.header);
  for (const opal::TraceEvent& event : read.events) text += opal::FormatTraceEvent(event);
  const opal::TraceRead again = opal::ParseTrace(text);
  if (again.cut || again.events.size() != read.events.size() ||
      again.header.command != read.header.command || again.header.part != read.header.part ||
      again.header.ids_kept != read.header.ids_kept) {
    std::abort();
  }
  for (std::size_t k = 0; k < read.events.size(); ++k) {
    if (!SameEvent(read.events[k], again.events[k])) std::abort();
  }
  return 0;
}
