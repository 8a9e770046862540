#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "virtualprinter/headcondition.h"
#include "virtualprinter/pagecanvas.h"
#include "virtualprinter/rasterband.h"

namespace vp {

// What the page language drives besides the paper: the head's alignment and the paper's way out.
class PrintMechanism {
 public:
  virtual ~PrintMechanism() = default;
  // How many dots to the right of its place a band printed right to left lands, for the
  // dot-size code in force and the band's ink group.
  virtual int ReturnPassOffset(uint8_t dot_size, bool color_ink) const = 0;
  // A printed sheet leaves the printer: the mechanism takes it (TakeSheet) or lets it go blank.
  virtual void Eject(PageCanvas& page) = 0;
};

// The printer's page language, taken byte by byte: text in the resident font, raster bands,
// paper movement and the remote mode. A command it does not know, or whose parameters it cannot
// carry out, is skipped and counted; no sequence of bytes can make it fail.
class PageInterpreter {
 public:
  explicit PageInterpreter(PrintMechanism& mechanism);

  void Take(uint8_t byte);
  // Whether the next byte belongs to a command already begun (its parameters or its raster
  // data), so that nothing else may take it for a command of its own.
  bool InsideCommand() const { return expect_ != Expect::Command; }
  // Power lost: a half-received command, the settings and the sheet in progress are gone.
  void Reset();
  // The head prints as `head` says from the next drop on.
  void SetHead(const HeadCondition& head);
  std::size_t SkippedCommands() const { return skipped_; }

 private:
  enum class Expect {
    Command,
    EscapeCode,
    Parameters,
    ExtendedHeader,
    ExtendedData,
    BandData,
    RemoteHeader,
    RemoteData,
  };
  // Where the next band's dots land, as pixels per dot and per row (numerator over denominator).
  struct Pitch {
    int64_t numerator;
    int64_t denominator;
    int Of(std::size_t index) const;
  };

  void TakeCommandByte(uint8_t byte);
  void TakeEscapeCode(uint8_t byte);
  void Collect(Expect stage, std::size_t count);
  void TakeCollected(uint8_t byte);
  void RunCollected();
  void RunEscape();
  void RunExtended();
  void RunRemote();
  void Skip();

  void Initialize();
  void PrintText(uint8_t byte);
  void MoveDown(int pixels);
  void EjectPage();
  void StartBand(BandLayout layout, std::optional<Ink> ink, Pitch dot, Pitch row, int bits);
  void DrawRow(std::size_t row, std::span<const uint8_t> bytes);

  PrintMechanism& mechanism_;
  PageCanvas page_;
  HeadCondition head_;
  std::size_t skipped_ = 0;

  Expect expect_ = Expect::Command;
  uint8_t code_ = 0;                // the escape code whose parameters are being collected
  std::vector<uint8_t> collected_;  // parameters, as far as a command can use them
  std::size_t wanted_ = 0;          // bytes still to come for the collection
  std::optional<BandData> band_;
  bool remote_ = false;

  // Set by the commands; back to these by Initialize.
  bool graphics_ = false;
  int unit_ = 0;  // of vertical moves, in 1/3600 inch
  bool unidirectional_ = false;
  uint8_t dot_size_ = 0;
  Ink ink_ = Ink::Black;
  int resolution_base_ = 0;
  int resolution_v_ = 0;
  int resolution_h_ = 0;
  bool next_band_returns_ = false;  // in bidirectional printing, every second band

  // The band being drawn.
  std::optional<Ink> band_ink_;
  Pitch band_dot_{1, 1};
  Pitch band_row_{1, 1};
  int band_bits_ = 1;
  int band_left_ = 0;
  int band_top_ = 0;

  // The print position, in pixels from the printable area's top left corner.
  int x_ = 0;
  int y_ = 0;
  bool sheet_in_use_ = false;  // something printed or the paper moved since the last sheet left
};

}  // namespace vp
