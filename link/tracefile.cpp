#include "link/tracefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace opal {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMagic = "opal-trace ";
constexpr std::string_view kMaskedByte = "**";
constexpr std::string_view kNoteMark = " # ";
constexpr std::size_t kMostSecondDigits = 12;

template <typename Value>
struct Named {
  Value value;
  std::string_view name;
};

template <typename Value, std::size_t N>
const Named<Value>* Find(const std::array<Named<Value>, N>& table, auto matches) {
  const auto found = std::find_if(table.begin(), table.end(), matches);
  return found == table.end() ? nullptr : &*found;
}

constexpr std::array<Named<TraceKind>, 10> kKindNames{{
    {TraceKind::Open, "open"},
    {TraceKind::Opened, "opened"},
    {TraceKind::Refused, "refused"},
    {TraceKind::Close, "close"},
    {TraceKind::Sent, ">"},
    {TraceKind::Received, "<"},
    {TraceKind::Full, "full"},
    {TraceKind::Gone, "gone"},
    {TraceKind::DeviceId, "id"},
    {TraceKind::End, "end"},
}};

constexpr std::array<Named<OpenFailure>, 4> kFailureNames{{
    {OpenFailure::NotFound, "not-found"},
    {OpenFailure::PermissionDenied, "permission-denied"},
    {OpenFailure::Busy, "busy"},
    {OpenFailure::Failed, "failed"},
}};

constexpr std::string_view kHeaderComment =
    "# Seconds since the trace began, then: open PORT, opened, refused WHY TEXT, close,\n"
    "# > the bytes the printer took, < the bytes one read brought (** for a masked byte),\n"
    "# full (the printer took none), gone > or gone < (the link broke), id ANSWER, end STATUS.\n";

[[noreturn]] void Malformed(std::size_t line, const std::string& why) {
  throw std::runtime_error("line " + std::to_string(line) + ": " + why);
}

// Text stays readable; what would break the line, or could be mistaken for an escape, is \xNN.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '\\') {
      std::array<char, 5> code{};
      std::snprintf(code.data(), code.size(), "\\x%02x", byte);
      out += code.data();
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<uint8_t> HexByte(std::string_view two) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(two.data(), two.data() + two.size(), value, 16);
  if (error != std::errc() || end != two.data() + two.size() || two.size() != 2) return {};
  return static_cast<uint8_t>(value);
}

std::string Unescaped(std::string_view text, std::size_t line) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\') {
      out += text[k];
      continue;
    }
    const auto byte =
        text.size() - k >= 4 && text[k + 1] == 'x' ? HexByte(text.substr(k + 2, 2)) : std::nullopt;
    if (!byte) Malformed(line, "a \\ that is no \\xNN");
    out += static_cast<char>(*byte);
    k += 3;
  }
  return out;
}

std::string HexBytes(const TraceEvent& event) {
  std::string out;
  out.reserve(event.bytes.size() * 3);
  for (std::size_t k = 0; k < event.bytes.size(); ++k) {
    if (k > 0) out += ' ';
    if (event.Masked(k)) {
      out += kMaskedByte;
    } else {
      std::array<char, 3> two{};
      std::snprintf(two.data(), two.size(), "%02x", event.bytes[k]);
      out += two.data();
    }
  }
  return out;
}

void ReadBytes(std::string_view text, std::size_t line, TraceEvent& event) {
  if (const std::size_t note = text.find(kNoteMark); note != std::string_view::npos) {
    text = text.substr(0, note);
  }
  for (std::size_t at = 0; at < text.size(); at += 3) {
    const std::string_view two = text.substr(at, 2);
    if (at + 2 < text.size() && text[at + 2] != ' ') Malformed(line, "bytes are two digits each");
    if (two == kMaskedByte) {
      event.masked.resize(event.bytes.size() + 1, false);
      event.masked.back() = true;
      event.bytes.push_back(0);
      continue;
    }
    const auto byte = HexByte(two);
    if (!byte) Malformed(line, "\"" + std::string(two) + "\" is no byte");
    event.bytes.push_back(*byte);
  }
  if (!event.masked.empty()) event.masked.resize(event.bytes.size(), false);
  if (event.bytes.empty()) Malformed(line, "no bytes");
}

std::chrono::microseconds ReadTime(std::string_view text, std::size_t line) {
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view micro = dot == std::string_view::npos ? "" : text.substr(dot + 1);
  long long seconds = 0;
  long long micros = 0;
  const auto number = [](std::string_view digits, long long& value) {
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
    return error == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
           digits.front() != '-' && digits.front() != '+';
  };
  if (whole.size() > kMostSecondDigits || micro.size() != 6 || !number(whole, seconds) ||
      !number(micro, micros)) {
    Malformed(line, "no time in seconds with six decimals");
  }
  return std::chrono::seconds(seconds) + std::chrono::microseconds(micros);
}

TraceEvent ReadEvent(std::string_view text, std::size_t line) {
  TraceEvent event;
  event.line = line;
  const std::size_t space = text.find(' ');
  event.at = ReadTime(text.substr(0, space), line);
  std::string_view rest = space == std::string_view::npos ? "" : text.substr(space + 1);
  const std::size_t gap = rest.find(' ');
  const std::string_view name = rest.substr(0, gap);
  const std::string_view data = gap == std::string_view::npos ? "" : rest.substr(gap + 1);
  const auto* kind = Find(kKindNames, [&](const auto& known) { return known.name == name; });
  if (kind == nullptr) Malformed(line, "no event \"" + std::string(name) + "\"");
  event.kind = kind->value;
  switch (event.kind) {
    case TraceKind::Sent:
    case TraceKind::Received:
      ReadBytes(data, line, event);
      break;
    case TraceKind::Refused: {
      const std::size_t end = data.find(' ');
      const std::string_view why = data.substr(0, end);
      const auto* failure =
          Find(kFailureNames, [&](const auto& known) { return known.name == why; });
      if (failure == nullptr) Malformed(line, "no reason \"" + std::string(why) + "\"");
      event.failure = failure->value;
      event.text = end == std::string_view::npos ? "" : Unescaped(data.substr(end + 1), line);
      break;
    }
    case TraceKind::Gone:
      if (data != ">" && data != "<") Malformed(line, "gone names no direction");
      event.text = std::string(data);
      break;
    case TraceKind::Open:
    case TraceKind::DeviceId:
    case TraceKind::End:
      event.text = Unescaped(data, line);
      break;
    case TraceKind::Opened:
    case TraceKind::Close:
    case TraceKind::Full:
      if (!data.empty()) Malformed(line, "\"" + std::string(name) + "\" takes nothing after it");
      break;
  }
  return event;
}

bool ReadHeaderLine(std::string_view text, std::size_t line, TraceHeader& header) {
  if (text.starts_with("part ")) {
    const std::string_view number = text.substr(5);
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), header.part);
    if (error != std::errc() || end != number.data() + number.size() || header.part < 1) {
      Malformed(line, "no part number");
    }
    return true;
  }
  if (text == "ids masked" || text == "ids kept") {
    header.ids_kept = text == "ids kept";
    return true;
  }
  if (text.starts_with("command ")) {
    header.command = Unescaped(text.substr(8), line);
    return true;
  }
  return false;
}

std::string SystemReason(const fs::path& path) {
  return "Cannot write the trace " + path.string() + ": " + std::generic_category().message(errno) +
         ".";
}

}  // namespace

std::string FormatTraceEvent(const TraceEvent& event) {
  const auto micros = event.at.count();
  std::array<char, 32> time{};
  std::snprintf(time.data(), time.size(), "%lld.%06lld", static_cast<long long>(micros / 1'000'000),
                static_cast<long long>(micros % 1'000'000));
  const auto* kind = Find(kKindNames, [&](const auto& known) { return known.value == event.kind; });
  std::string line = std::string(time.data()) + ' ' + std::string(kind->name);
  switch (event.kind) {
    case TraceKind::Sent:
    case TraceKind::Received:
      line += ' ' + HexBytes(event);
      if (!event.note.empty()) line += std::string(kNoteMark) + Escaped(event.note);
      break;
    case TraceKind::Refused: {
      const auto* failure =
          Find(kFailureNames, [&](const auto& known) { return known.value == event.failure; });
      line += ' ' + std::string(failure == nullptr ? "failed" : failure->name);
      if (!event.text.empty()) line += ' ' + Escaped(event.text);
      break;
    }
    case TraceKind::Open:
    case TraceKind::Gone:
    case TraceKind::DeviceId:
    case TraceKind::End:
      if (!event.text.empty()) line += ' ' + Escaped(event.text);
      break;
    case TraceKind::Opened:
    case TraceKind::Close:
    case TraceKind::Full:
      break;
  }
  return line + '\n';
}

std::string FormatTraceHeader(const TraceHeader& header) {
  std::string text = std::string(kMagic) + std::to_string(kTraceVersion) + '\n';
  text += "part " + std::to_string(header.part) + '\n';
  text += header.ids_kept ? "ids kept\n" : "ids masked\n";
  if (!header.command.empty()) text += "command " + Escaped(header.command) + '\n';
  return text + std::string(kHeaderComment);
}

TraceRead ParseTrace(std::string_view text) {
  TraceRead read;
  std::size_t line = 0;
  bool header_done = false;
  while (!text.empty()) {
    ++line;
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      read.cut = true;
      break;
    }
    const std::string_view current = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line == 1) {
      int version = 0;
      const std::string_view number = current.substr(std::min(current.size(), kMagic.size()));
      const auto [at, error] =
          std::from_chars(number.data(), number.data() + number.size(), version);
      if (!current.starts_with(kMagic) || error != std::errc() ||
          at != number.data() + number.size() || version < 1) {
        throw std::runtime_error("not a printer trace (no \"opal-trace\" line first)");
      }
      if (version > kTraceVersion) {
        throw std::runtime_error("trace version " + std::to_string(version) +
                                 " is newer than this program reads (" +
                                 std::to_string(kTraceVersion) + ")");
      }
      continue;
    }
    if (current.empty() || current.starts_with('#')) continue;
    if (!header_done && ReadHeaderLine(current, line, read.header)) continue;
    header_done = true;
    read.events.push_back(ReadEvent(current, line));
  }
  if (line == 0 || (line == 1 && read.cut)) throw std::runtime_error("empty, not a printer trace");
  return read;
}

TraceRead LoadTrace(const fs::path& path) {
  const auto read_file = [](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read the trace " + file.string() + ".");
    std::string text{std::istreambuf_iterator<char>(in), {}};
    try {
      return ParseTrace(text);
    } catch (const std::runtime_error& error) {
      throw std::runtime_error("The trace " + file.string() + " cannot be read: " + error.what() +
                               ".");
    }
  };
  TraceRead last = read_file(path);
  if (last.header.part == 1) return last;
  fs::path earlier_path = path;
  earlier_path += ".1";
  std::error_code error;
  if (!fs::is_regular_file(earlier_path, error)) {
    last.lost_beginning = true;
    return last;
  }
  TraceRead earlier = read_file(earlier_path);
  if (earlier.header.part != last.header.part - 1) {
    last.lost_beginning = true;
    return last;
  }
  earlier.lost_beginning = earlier.header.part != 1;
  earlier.cut = last.cut;
  earlier.events.insert(earlier.events.end(), last.events.begin(), last.events.end());
  return earlier;
}

TraceWriter::TraceWriter(fs::path path, TraceHeader header, std::size_t limit)
    : path_(std::move(path)), header_(std::move(header)), part_limit_(limit / 2) {
  header_.part = 0;
  StartPart();
  if (!problem_.empty()) throw std::runtime_error(problem_);
}

TraceWriter::~TraceWriter() {
  if (fd_ >= 0) close(fd_);
}

void TraceWriter::StartPart() {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
    fs::path earlier = path_;
    earlier += ".1";
    if (rename(path_.c_str(), earlier.c_str()) != 0) {
      problem_ = SystemReason(earlier);
      return;
    }
  }
  // O_NONBLOCK keeps a FIFO put in the trace's place from holding the program up; the check
  // after it refuses it.
  const int fd =
      open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) {
    problem_ = SystemReason(path_);
    return;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    close(fd);
    problem_ = "Cannot write the trace " + path_.string() + ": it is no regular file.";
    return;
  }
  fd_ = fd;
  part_size_ = 0;
  ++header_.part;
  Put(FormatTraceHeader(header_));
  part_events_ = 0;
}

void TraceWriter::Write(const TraceEvent& event) {
  const std::string line = FormatTraceEvent(event);
  const std::lock_guard lock(mutex_);
  if (fd_ < 0) return;
  if (part_events_ > 0 && part_size_ + line.size() > part_limit_) StartPart();
  if (fd_ >= 0) Put(line);
}

void TraceWriter::Put(const std::string& line) {
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t count = write(fd_, line.data() + done, line.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      problem_ = SystemReason(path_);
      close(fd_);
      fd_ = -1;
      return;
    }
    done += static_cast<std::size_t>(count);
  }
  part_size_ += line.size();
  ++part_events_;
}

std::string TraceWriter::Problem() const {
  const std::lock_guard lock(mutex_);
  return problem_;
}

}  // namespace opal
