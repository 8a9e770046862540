#include "virtualprinter/inputstream.h"

#include <string_view>

#include "virtualprinter/servicecommand.h"

namespace vp {
namespace {

constexpr uint8_t kStartIntroducer = 0x01;
constexpr int kStartNuls = 3;
constexpr std::string_view kStartTail = "@QRT 1284.4\n@QRT     \n";

}  // namespace

std::size_t InputStream::Feed(std::span<const uint8_t> bytes) {
  stopped_ = false;
  std::size_t taken = 0;
  while (taken < bytes.size() && !stopped_) Take(bytes[taken++]);
  return taken;
}

void InputStream::Reset() {
  state_ = State::Text;
  nul_run_ = 0;
}

void InputStream::Take(uint8_t byte) {
  switch (state_) {
    case State::Text:
      return TakeText(byte);
    case State::Escape:
      return TakeEscape(byte);
    case State::FrameHeader:
      return TakeFrameHeader(byte);
    case State::FrameBody:
      return TakeFrameBody(byte);
    case State::StartSequence:
      return TakeStartSequence(byte);
  }
}

void InputStream::TakeText(uint8_t byte) {
  if (byte == kEsc && !listener_.InsidePageCommand()) {
    state_ = State::Escape;
    return;
  }
  nul_run_ = byte == 0x00 ? nul_run_ + 1 : 0;
  listener_.OnPageByte(byte);
}

void InputStream::TakeEscape(uint8_t byte) {
  const bool after_nuls = nul_run_ >= kStartNuls;
  nul_run_ = 0;
  if (byte == kServiceIntroducer) {
    frame_.assign({kEsc, kServiceIntroducer});
    state_ = State::FrameHeader;
  } else if (byte == kStartIntroducer && after_nuls) {
    matched_ = 0;
    state_ = State::StartSequence;
  } else {
    listener_.OnPageByte(kEsc);
    state_ = State::Text;
    Take(byte);
  }
}

void InputStream::TakeFrameHeader(uint8_t byte) {
  frame_.push_back(byte);
  const bool zero_expected = frame_.size() == 3 || frame_.size() == kServiceHeaderSize;
  if (zero_expected && byte != 0x00) {
    // The length is not trustworthy: look for the next frame from this byte on.
    listener_.OnBrokenFrame();
    state_ = State::Text;
    Take(byte);
  } else if (frame_.size() == kServiceHeaderSize) {
    state_ = State::FrameBody;
    if (frame_[3] == 0) EndFrame();
  }
}

void InputStream::TakeFrameBody(uint8_t byte) {
  frame_.push_back(byte);
  if (frame_.size() == kServiceHeaderSize + frame_[3]) EndFrame();
}

void InputStream::EndFrame() {
  state_ = State::Text;
  listener_.OnServiceFrame(frame_);
}

void InputStream::TakeStartSequence(uint8_t byte) {
  if (byte != static_cast<uint8_t>(kStartTail[matched_])) {
    // Not the start sequence after all: what was held back belongs to the page language.
    listener_.OnPageByte(kEsc);
    listener_.OnPageByte(kStartIntroducer);
    for (std::size_t i = 0; i < matched_; ++i) {
      listener_.OnPageByte(static_cast<uint8_t>(kStartTail[i]));
    }
    state_ = State::Text;
    Take(byte);
    return;
  }
  if (++matched_ == kStartTail.size()) {
    state_ = State::Text;
    listener_.OnStartSequence();
  }
}

}  // namespace vp
