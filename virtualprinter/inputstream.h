#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vp {

// What the input stream finds in the bytes from the host.
class StreamListener {
 public:
  virtual ~StreamListener() = default;
  virtual void OnStartSequence() = 0;
  // A service frame from its ESC to its last byte, framed by its length but not yet checked.
  virtual void OnServiceFrame(std::span<const uint8_t> frame) = 0;
  // A service frame whose header is broken, so its length cannot be trusted.
  virtual void OnBrokenFrame() = 0;
  // Everything else: text and the page language's own escape sequences, in order.
  virtual void OnPageByte(uint8_t byte) = 0;
};

// Splits the byte stream from the host, which may arrive in pieces of any size. An ESC and the byte
// after it decide who owns what follows: ESC | a service frame, ESC 01 after three NULs the start
// sequence, anything else the page language.
class InputStream {
 public:
  explicit InputStream(StreamListener& listener) : listener_(listener) {}
  void Feed(std::span<const uint8_t> bytes);
  // Forgets a sequence begun but not finished, as a printer does when it is switched off.
  void Reset();

 private:
  enum class State { Text, Escape, FrameHeader, FrameBody, StartSequence };

  void Take(uint8_t byte);
  void TakeText(uint8_t byte);
  void TakeEscape(uint8_t byte);
  void TakeFrameHeader(uint8_t byte);
  void TakeFrameBody(uint8_t byte);
  void TakeStartSequence(uint8_t byte);
  void EndFrame();

  StreamListener& listener_;
  State state_ = State::Text;
  int nul_run_ = 0;          // NULs just before the current ESC
  std::size_t matched_ = 0;  // bytes of the start sequence seen after its ESC 01
  std::vector<uint8_t> frame_;
};

}  // namespace vp
