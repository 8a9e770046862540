#include "virtualprinter/nozzlecheck.h"

#include <array>
#include <string_view>

#include "virtualprinter/residentfont.h"

namespace vp {
namespace {

struct InkBlock {
  Ink ink;
  std::string_view name;
};

constexpr std::array<InkBlock, 6> kBlocks{{{Ink::Black, "BK"},
                                           {Ink::Cyan, "C"},
                                           {Ink::LightCyan, "LC"},
                                           {Ink::Magenta, "M"},
                                           {Ink::LightMagenta, "LM"},
                                           {Ink::Yellow, "Y"}}};

constexpr int kNozzles = HeadCondition::kNozzles;
constexpr int kNozzlePitch = 3;  // 1/120 inch
constexpr int kBlockWidth = PageCanvas::kPrintableWidth / static_cast<int>(kBlocks.size());
constexpr int kSteps = 4;
constexpr int kStepWidth = 110;
constexpr int kLineLength = 90;
constexpr int kBlockInset = 20;
constexpr int kSpaceBelow = kLinePitch / 2;

}  // namespace

int PrintNozzleCheck(PageCanvas& page, int left, int top, const HeadCondition& head) {
  const int lines_top = top + kLinePitch;
  for (std::size_t block = 0; block < kBlocks.size(); ++block) {
    const int block_left = left + static_cast<int>(block) * kBlockWidth;
    int x = block_left + kBlockInset;
    for (const char letter : kBlocks[block].name) {
      PrintCharacter(page, x, top, static_cast<uint8_t>(letter));
      x += kCharacterPitch;
    }
    for (int nozzle = 0; nozzle < kNozzles; ++nozzle) {
      if (!head.Fires(kBlocks[block].ink, nozzle)) continue;
      const int line_left = block_left + kBlockInset + nozzle % kSteps * kStepWidth;
      for (int dot = 0; dot < kLineLength; ++dot) {
        page.Drop(line_left + dot, lines_top + nozzle * kNozzlePitch, kBlocks[block].ink,
                  PageCanvas::kFullDrop);
      }
    }
  }
  return kLinePitch + kNozzles * kNozzlePitch + kSpaceBelow;
}

}  // namespace vp
