#include "link/tracingport.h"

#include <chrono>

namespace opal {
namespace {

TraceEvent Event(TraceKind kind, std::string text = {}) {
  TraceEvent event;
  event.kind = kind;
  event.text = std::move(text);
  return event;
}

TraceEvent BytesEvent(TraceKind kind, std::span<const uint8_t> bytes) {
  TraceEvent event = Event(kind);
  event.bytes.assign(bytes.begin(), bytes.end());
  return event;
}

class TracingPortDevice final : public PortDevice {
 public:
  TracingPortDevice(std::unique_ptr<PortDevice> inner, std::shared_ptr<TraceRecorder> recorder)
      : inner_(std::move(inner)), recorder_(std::move(recorder)) {}
  ~TracingPortDevice() override {
    inner_.reset();
    recorder_->Record(Event(TraceKind::Close));
  }
  TracingPortDevice(const TracingPortDevice&) = delete;
  TracingPortDevice& operator=(const TracingPortDevice&) = delete;

  long WriteSome(std::span<const uint8_t> bytes) override {
    const long moved = inner_->WriteSome(bytes);
    if (moved > 0) {
      TraceEvent event = BytesEvent(TraceKind::Sent, bytes.first(static_cast<std::size_t>(moved)));
      event.note = TraceNote(event.bytes);
      recorder_->Record(std::move(event));
    } else if (moved < 0) {
      recorder_->Record(Event(TraceKind::Gone, ">"));
    } else if (!full_) {
      // A printer that takes nothing is offered the bytes again and again: once is enough.
      recorder_->Record(Event(TraceKind::Full));
    }
    full_ = moved == 0;
    return moved;
  }

  long ReadSome(std::span<uint8_t> buffer) override {
    const long moved = inner_->ReadSome(buffer);
    if (moved > 0) {
      recorder_->Record(
          BytesEvent(TraceKind::Received, buffer.first(static_cast<std::size_t>(moved))));
    } else if (moved < 0) {
      recorder_->Record(Event(TraceKind::Gone, "<"));
    }
    return moved;
  }

  void WaitReady(Readiness direction, std::chrono::milliseconds limit) override {
    inner_->WaitReady(direction, limit);
  }

  std::string DeviceId() override {
    std::string answer = inner_->DeviceId();
    recorder_->Record(Event(TraceKind::DeviceId, answer));
    return answer;
  }

  std::string ModelHint() override { return inner_->ModelHint(); }

 private:
  std::unique_ptr<PortDevice> inner_;
  std::shared_ptr<TraceRecorder> recorder_;
  bool full_ = false;
};

}  // namespace

TraceRecorder::TraceRecorder(std::unique_ptr<TraceWriter> writer, const Clock& clock, bool keep_ids)
    : writer_(std::move(writer)), clock_(clock), start_(clock.Now()), keep_ids_(keep_ids) {}

void TraceRecorder::Record(TraceEvent event) {
  const std::lock_guard lock(mutex_);
  event.at = std::chrono::duration_cast<std::chrono::microseconds>(clock_.Now() - start_);
  if (!keep_ids_) {
    if (event.kind == TraceKind::Sent) masker_.Outgoing(event);
    if (event.kind == TraceKind::Received) masker_.Incoming(event);
    event.text = masker_.Text(event.text);
  }
  writer_->Write(event);
}

TracingPortProvider::TracingPortProvider(PortProvider& inner,
                                         std::shared_ptr<TraceRecorder> recorder)
    : inner_(inner), recorder_(std::move(recorder)) {}

OpenOutcome TracingPortProvider::Open(PortId port) {
  recorder_->Record(Event(TraceKind::Open, std::string(PortEntryOf(port).name)));
  OpenOutcome outcome = inner_.Open(port);
  if (!outcome.device) {
    TraceEvent refused = Event(TraceKind::Refused, outcome.detail);
    refused.failure = outcome.failure;
    recorder_->Record(std::move(refused));
    return outcome;
  }
  recorder_->Record(Event(TraceKind::Opened));
  outcome.device = std::make_unique<TracingPortDevice>(std::move(outcome.device), recorder_);
  return outcome;
}

std::optional<std::vector<std::string>> TracingPortProvider::PrintersPresent() {
  return inner_.PrintersPresent();
}

}  // namespace opal
