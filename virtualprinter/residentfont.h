#pragma once

#include <cstdint>

#include "virtualprinter/pagecanvas.h"

namespace vp {

// The printer's resident font: ten characters per inch, six lines per inch, each character a
// dot matrix of five columns by nine rows (seven above the baseline, two for descenders).
inline constexpr int kCharacterPitch = PageCanvas::kDotsPerInch / 10;
inline constexpr int kLinePitch = PageCanvas::kDotsPerInch / 6;

// Prints `character` in black in the cell whose top left corner is (x, y) on the page. Codes the
// font has no glyph for leave their cell blank.
void PrintCharacter(PageCanvas& page, int x, int y, uint8_t character);

}  // namespace vp
