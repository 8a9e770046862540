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
  // Whether the page language is in the middle of a command (its parameters or raster data),
  // which then owns the next byte whatever it is: raster data may well hold ESC |.
  virtual bool InsidePageCommand() const = 0;
};

// Splits the byte stream from the host, which may arrive in pieces of any size. An ESC and the byte
// after it decide who owns what follows: ESC | a service frame, ESC 01 after three NULs the start
// sequence, anything else the page language. Inside a page-language command an ESC is only data.
class InputStream {
 public:
  explicit InputStream(StreamListener& listener) : listener_(listener) {}
  // Takes the bytes in order and returns how many it took: all of them, unless a listener called
  // Stop on the way.
  std::size_t Feed(std::span<const uint8_t> bytes);
  // Takes no more of the bytes being fed, for a printer that has stopped listening.
  void Stop() { stopped_ = true; }
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
  bool stopped_ = false;
};

}  // namespace vp
