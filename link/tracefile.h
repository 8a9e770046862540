#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/portdevice.h"

namespace opal {

// The trace of a printer conversation: one event a line, as the README describes it.
inline constexpr int kTraceVersion = 1;
// What a trace may take on disk: a part of half of it, then the part before the last goes.
inline constexpr std::size_t kTraceLimit = 64u * 1024 * 1024;

enum class TraceKind {
  Open,      // the program opens a port: text is its name
  Opened,    // the port is open
  Refused,   // the port could not be opened: failure, text the system's reason
  Close,     // the program let go of the port
  Sent,      // bytes the printer took
  Received,  // bytes one read brought
  Full,      // the printer took no bytes when offered some
  Gone,      // the link broke: text is ">" in a write, "<" in a read
  DeviceId,  // the printer's device-ID answer: text, empty when it gave none
  End,       // the program ended: text is its exit status
};

struct TraceEvent {
  std::chrono::microseconds at{0};  // since the trace began
  TraceKind kind = TraceKind::Close;
  std::vector<uint8_t> bytes;
  // Beside `bytes`, true for a byte that was masked (its value is not in the trace); empty when
  // none was.
  std::vector<bool> masked;
  std::string text;
  OpenFailure failure = OpenFailure::None;
  // What the bytes are, for a person; not read back.
  std::string note;
  // Where the event stands in its file, for a report; set when read.
  std::size_t line = 0;

  bool Masked(std::size_t k) const { return k < masked.size() && masked[k]; }
};

struct TraceHeader {
  int part = 1;
  bool ids_kept = false;
  // The command line of the program that wrote it, without how it chose its printer.
  std::string command;
};

struct TraceRead {
  TraceHeader header;
  std::vector<TraceEvent> events;
  // The last line ended without its line feed (the program was killed while writing it) and was
  // left out.
  bool cut = false;
  // Parts before the first one read were dropped by the size limit.
  bool lost_beginning = false;
};

// One event as its line, line feed included.
std::string FormatTraceEvent(const TraceEvent& event);
std::string FormatTraceHeader(const TraceHeader& header);
// Reads the text of one part. Throws std::runtime_error naming the line that is no trace line.
TraceRead ParseTrace(std::string_view text);
// Reads the trace at `path` with the part before it (`path`.1) when that part is still there.
// Throws std::runtime_error naming the file.
TraceRead LoadTrace(const std::filesystem::path& path);

// Writes a trace line by line, each with one write() and no buffer of its own, so a program
// killed at any point leaves every line it wrote whole. When a part reaches half of the limit it
// becomes `path`.1, replacing the one before, and the next part starts.
class TraceWriter {
 public:
  // Creates or empties `path`: never through a link, and only where a regular file or nothing
  // is. Throws std::runtime_error naming the file.
  TraceWriter(std::filesystem::path path, TraceHeader header, std::size_t limit = kTraceLimit);
  ~TraceWriter();
  TraceWriter(const TraceWriter&) = delete;
  TraceWriter& operator=(const TraceWriter&) = delete;

  // May be called from any thread.
  void Write(const TraceEvent& event);
  // Why the trace stopped early; empty while it is whole.
  std::string Problem() const;

 private:
  void StartPart();
  void Put(const std::string& line);

  std::filesystem::path path_;
  TraceHeader header_;
  std::size_t part_limit_;
  mutable std::mutex mutex_;
  int fd_ = -1;
  std::size_t part_size_ = 0;
  std::size_t part_events_ = 0;
  std::string problem_;
};

}  // namespace opal
