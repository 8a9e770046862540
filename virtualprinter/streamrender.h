#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vp {

// Prints a stream of bytes sent to a printer (a capture.prn) as a healthy, aligned printer prints
// it, with no printer behind it: service frames and the start sequence are taken and ignored, and
// each page goes into `dir` (made when missing) as page-0001.png and on, numbered on from the
// pages already there. A sheet the stream never ends with a form feed is not printed, as on the
// printer. Returns how many pages were written; throws std::runtime_error when one cannot be.
int RenderStream(std::span<const uint8_t> bytes, const std::filesystem::path& dir);

}  // namespace vp
