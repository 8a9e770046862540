#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace opal::ui {

// A colour the design gives text on the window or a memo, and the lighter tone that keeps it
// readable where the desktop's palette is dark.
struct DesignColour {
  QColor light;
  QColor dark;
};

inline const DesignColour kDesignBlue{QColor(0x00, 0x00, 0xff), QColor(0x8c, 0xb4, 0xff)};
inline const DesignColour kDesignRed{QColor(0xff, 0x00, 0x00), QColor(0xff, 0x7a, 0x7a)};

bool IsDarkGround(const QPalette& palette, QPalette::ColorRole ground);
QColor ToneOn(const DesignColour& colour, bool dark);

// Where `root`'s palette is dark, every label under it that shows the design's blue or red in
// its style sheet takes the colour's dark tone. Colours fixed together with a ground of their
// own are left as they are.
void KeepDesignColoursReadable(QWidget& root);

}  // namespace opal::ui
