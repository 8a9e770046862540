#include "link/replayport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <mutex>
#include <stdexcept>

#include "link/tracemask.h"

namespace opal {

namespace {

std::string HexOf(uint8_t byte) {
  std::array<char, 5> text{};
  std::snprintf(text.data(), text.size(), "0x%02x", byte);
  return text.data();
}

std::string Described(const TraceEvent* event) {
  if (event == nullptr) return "the trace ends";
  const std::string at = " (line " + std::to_string(event->line) + ")";
  switch (event->kind) {
    case TraceKind::Open:
      return "it opens " + event->text + at;
    case TraceKind::Sent: {
      const std::string note = event->note.empty() ? TraceNote(event->bytes) : event->note;
      return "the program sends " + std::to_string(event->bytes.size()) + " bytes" +
             (note.empty() ? "" : ", " + note) + at;
    }
    case TraceKind::DeviceId:
      return "it asks for the device ID" + at;
    case TraceKind::Close:
      return "it closes the port" + at;
    case TraceKind::End:
      return "the program ends with status " + event->text + at;
    default:
      return "another event" + at;
  }
}

struct Readable {
  Clock::TimePoint due;
  std::vector<uint8_t> bytes;
};

}  // namespace

// The trace and how far the program has come through it, shared by the provider and its ports.
struct ReplayScript {
  ReplayScript(TraceRead read, const Clock& clock, Sleeper& sleeper)
      : events(std::move(read.events)), clock(clock), sleeper(sleeper), anchor(clock.Now()) {}

  const TraceEvent* Next() const { return next < events.size() ? &events[next] : nullptr; }
  const TraceEvent* After() const { return next + 1 < events.size() ? &events[next + 1] : nullptr; }
  bool NextIs(TraceKind kind) const { return Next() != nullptr && Next()->kind == kind; }

  Clock::TimePoint DueOf(const TraceEvent& event) const {
    return anchor + std::max(std::chrono::microseconds{0}, event.at - anchor_at);
  }

  void Take(Clock::TimePoint when) {
    anchor = when;
    anchor_at = events[next].at;
    ++next;
    sent_in_event = 0;
  }
  void Take() { Take(clock.Now()); }

  // What the printer sent next, in its turn, for the reads to take when it is due.
  void PullReplies() {
    while (NextIs(TraceKind::Received)) {
      Readable reply{DueOf(*Next()), Next()->bytes};
      filler.Fill(reply.bytes, Next()->masked);
      readable.push_back(std::move(reply));
      Take(readable.back().due);
    }
  }

  // What happens between a program's transfers does not make it do anything else.
  void SkipBetweenTransfers() {
    PullReplies();
    while (NextIs(TraceKind::Full)) Take();
  }

  void Differ(std::string what) {
    if (!difference) difference = std::move(what);
  }

  std::vector<TraceEvent> events;
  const Clock& clock;
  Sleeper& sleeper;
  mutable std::mutex mutex;
  std::size_t next = 0;
  std::size_t sent_in_event = 0;
  std::size_t sent_total = 0;
  Clock::TimePoint anchor;
  std::chrono::microseconds anchor_at{0};
  std::deque<Readable> readable;
  MaskedReplyFiller filler;
  std::optional<std::string> difference;
  std::function<void(const std::string&)> hook;
  // Only the port opened last follows the trace; one a late question keeps alive does not.
  int current_port = 0;
};

namespace {

// Calls the hook outside the lock, once the difference is found.
class ScriptLock {
 public:
  explicit ScriptLock(ReplayScript& script) : script_(script), lock_(script.mutex) {
    had_difference_ = script.difference.has_value();
  }
  ~ScriptLock() {
    const bool found = !had_difference_ && script_.difference.has_value();
    lock_.unlock();
    if (found && script_.hook) script_.hook(*script_.difference);
  }
  ScriptLock(const ScriptLock&) = delete;
  ScriptLock& operator=(const ScriptLock&) = delete;

 private:
  ReplayScript& script_;
  std::unique_lock<std::mutex> lock_;
  bool had_difference_ = false;
};

class ReplayPortDevice final : public PortDevice {
 public:
  ReplayPortDevice(std::shared_ptr<ReplayScript> script, int number)
      : script_(std::move(script)), number_(number) {}

  ~ReplayPortDevice() override {
    ScriptLock lock(*script_);
    ReplayScript& s = *script_;
    if (!Current() || s.difference) return;
    s.readable.clear();
    s.SkipBetweenTransfers();
    while (s.NextIs(TraceKind::Received) || s.NextIs(TraceKind::Gone)) s.Take();
    if (s.NextIs(TraceKind::Close)) {
      s.Take();
    } else if (s.Next() != nullptr && s.Next()->kind != TraceKind::End) {
      s.Differ("Replay stopped: the program closed the port where " + Described(s.Next()) + ".");
    }
  }
  ReplayPortDevice(const ReplayPortDevice&) = delete;
  ReplayPortDevice& operator=(const ReplayPortDevice&) = delete;

  long WriteSome(std::span<const uint8_t> bytes) override {
    ScriptLock lock(*script_);
    ReplayScript& s = *script_;
    if (!Current() || s.difference) return -1;
    while (true) {
      s.PullReplies();
      const TraceEvent* next = s.Next();
      if (next != nullptr && next->kind == TraceKind::Full) {
        const TraceEvent* after = s.After();
        if (after == nullptr || after->kind != TraceKind::Sent ||
            s.clock.Now() < s.anchor + (after->at - next->at)) {
          return 0;
        }
        s.Take();
        continue;
      }
      if (next != nullptr && next->kind == TraceKind::Gone) {
        s.Take();
        return -1;
      }
      if (next == nullptr || next->kind != TraceKind::Sent) {
        s.Differ("Replay stopped at byte " + std::to_string(s.sent_total) +
                 " the program sent: the program sends " + HexOf(bytes[0]) + Noted(bytes) +
                 " where " + Described(next) + ".");
        return -1;
      }
      return Match(*next, bytes);
    }
  }

  long ReadSome(std::span<uint8_t> buffer) override {
    ScriptLock lock(*script_);
    ReplayScript& s = *script_;
    if (!Current() || s.difference) return -1;
    s.SkipBetweenTransfers();
    if (s.readable.empty() && s.NextIs(TraceKind::Gone)) {
      s.Take();
      return -1;
    }
    if (s.readable.empty() || s.readable.front().due > s.clock.Now()) return 0;
    Readable& reply = s.readable.front();
    const std::size_t count = std::min(buffer.size(), reply.bytes.size());
    std::copy_n(reply.bytes.begin(), count, buffer.begin());
    reply.bytes.erase(reply.bytes.begin(), reply.bytes.begin() + static_cast<long>(count));
    if (reply.bytes.empty()) s.readable.pop_front();
    return static_cast<long>(count);
  }

  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override {
    std::optional<Clock::TimePoint> until;
    {
      ScriptLock lock(*script_);
      ReplayScript& s = *script_;
      if (!Current() || s.difference) return;
      const TraceEvent* next = s.Next();
      if (direction == Readiness::Readable) {
        if (!s.readable.empty()) {
          until = s.readable.front().due;
        } else if (next != nullptr && next->kind == TraceKind::Received) {
          until = s.DueOf(*next);
        }
      } else if (next == nullptr || next->kind != TraceKind::Full) {
        return;
      } else if (const TraceEvent* after = s.After();
                 after != nullptr && after->kind == TraceKind::Sent) {
        until = s.anchor + (after->at - next->at);
      }
    }
    auto wait = limit;
    if (until) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*until - script_->clock.Now());
      if (left <= std::chrono::milliseconds{0}) return;
      wait = std::min(wait, left);
    }
    script_->sleeper.Sleep(std::max(wait, std::chrono::milliseconds{1}));
  }

  std::string DeviceId() override {
    ScriptLock lock(*script_);
    ReplayScript& s = *script_;
    if (!Current() || s.difference) return {};
    s.SkipBetweenTransfers();
    if (!s.NextIs(TraceKind::DeviceId)) {
      s.Differ("Replay stopped: the program asks for the device ID where " + Described(s.Next()) +
               ".");
      return {};
    }
    std::string answer = s.Next()->text;
    s.Take();
    return answer;
  }

 private:
  bool Current() const { return script_->current_port == number_; }

  static std::string Noted(std::span<const uint8_t> bytes) {
    const std::string note = TraceNote(bytes);
    return note.empty() ? "" : " (" + note + ")";
  }

  long Match(const TraceEvent& recorded, std::span<const uint8_t> bytes) {
    ReplayScript& s = *script_;
    const std::size_t count = std::min(bytes.size(), recorded.bytes.size() - s.sent_in_event);
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t at = s.sent_in_event + k;
      if (recorded.Masked(at) || recorded.bytes[at] == bytes[k]) continue;
      const std::string note = recorded.note.empty() ? TraceNote(recorded.bytes) : recorded.note;
      s.Differ("Replay stopped at byte " + std::to_string(s.sent_total + k) +
               " the program sent (trace line " + std::to_string(recorded.line) +
               (note.empty() ? "" : ", " + note) + ", its byte " + std::to_string(at) +
               "): expected " + HexOf(recorded.bytes[at]) + ", got " + HexOf(bytes[k]) +
               Noted(bytes) + ".");
      return -1;
    }
    s.filler.Sent(bytes.first(count));
    s.sent_in_event += count;
    s.sent_total += count;
    if (s.sent_in_event == recorded.bytes.size()) s.Take();
    return static_cast<long>(count);
  }

  std::shared_ptr<ReplayScript> script_;
  int number_;
};

}  // namespace

ReplayPortProvider::ReplayPortProvider(TraceRead trace, const Clock& clock, Sleeper& sleeper) {
  if (trace.lost_beginning) {
    throw std::runtime_error(
        "The trace lost its beginning to its size limit, so it cannot be replayed.");
  }
  script_ = std::make_shared<ReplayScript>(std::move(trace), clock, sleeper);
}

ReplayPortProvider::~ReplayPortProvider() = default;

OpenOutcome ReplayPortProvider::Open(PortId port) {
  ScriptLock lock(*script_);
  ReplayScript& s = *script_;
  ++s.current_port;
  const std::string name(PortEntryOf(port).name);
  if (!s.difference) {
    s.readable.clear();
    while (s.NextIs(TraceKind::Received) || s.NextIs(TraceKind::Full) ||
           s.NextIs(TraceKind::Gone) || s.NextIs(TraceKind::Close)) {
      s.Take();
    }
    if (s.NextIs(TraceKind::Open) && s.Next()->text == name) {
      s.Take();
      if (s.NextIs(TraceKind::Opened)) {
        s.Take();
        return {std::make_unique<ReplayPortDevice>(script_, s.current_port), OpenFailure::None, {}};
      }
      if (s.NextIs(TraceKind::Refused)) {
        OpenOutcome refused{nullptr, s.Next()->failure, s.Next()->text};
        s.Take();
        return refused;
      }
    }
    s.Differ("Replay stopped: the program opens " + name + " where " + Described(s.Next()) + ".");
  }
  return {nullptr, OpenFailure::Failed, *s.difference};
}

void ReplayPortProvider::SetDifferenceHook(std::function<void(const std::string&)> hook) {
  const std::lock_guard lock(script_->mutex);
  script_->hook = std::move(hook);
}

void ReplayPortProvider::Finish(int status) {
  ScriptLock lock(*script_);
  ReplayScript& s = *script_;
  if (s.difference) return;
  while (s.Next() != nullptr && s.Next()->kind != TraceKind::End &&
         s.Next()->kind != TraceKind::Sent && s.Next()->kind != TraceKind::Open &&
         s.Next()->kind != TraceKind::DeviceId) {
    s.Take();
  }
  if (s.NextIs(TraceKind::End) && s.Next()->text != std::to_string(status)) {
    s.Differ("Replay ended with status " + std::to_string(status) + " where " +
             Described(s.Next()) + ".");
  } else if (s.Next() != nullptr && !s.NextIs(TraceKind::End)) {
    s.Differ("Replay stopped: the program ended where " + Described(s.Next()) + ".");
  }
}

std::optional<std::string> ReplayPortProvider::Difference() const {
  const std::lock_guard lock(script_->mutex);
  return script_->difference;
}

std::optional<PortId> FirstOpenedPort(const TraceRead& trace) {
  for (const TraceEvent& event : trace.events) {
    if (event.kind == TraceKind::Open) return PortNamed(event.text);
  }
  return std::nullopt;
}

}  // namespace opal
