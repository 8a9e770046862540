#pragma once

class QRect;
class QWidget;

namespace opal::ui {

// Places a form wholly inside the available area of its screen. The form keeps its designed
// size where that fits with room for the window manager's frame; on a smaller screen (a 1024×768
// laptop, a high-DPI screen at 200 %, a large desktop font) the design stays as laid out inside a
// scroll area and the window shrinks to the screen and becomes resizable up to the design.
// Calling it again with another area (the form moved to another screen) fits it anew.
void FitOnScreen(QWidget& form, const QRect& available);

// A window the technician resizes at will (a viewer whose content scrolls): its size where that
// fits, else as large as the available area allows, and centred in it.
void FitResizableOnScreen(QWidget& window, const QRect& available);

}  // namespace opal::ui
