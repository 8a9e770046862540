#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <string>

#include "tests/ui/support/uiworld.h"

namespace opal::testing {

// What a test looks at in one view: its name and the window it is in.
using ViewLook = std::function<void(const std::string& view, QWidget& window)>;

// Every form and window of the program, each fitted to `screen` and shown in turn: the start-up
// form, every tab and operation panel of the individual form, the quit form, the repair menu,
// every repair chain and step panel of the repair form, the about box, the service history (in a
// journaled world) and the Printed pages window.
void ForEveryView(UiWorld& world, const QRect& screen, const ViewLook& look);

// A 1024×768 laptop's screen below a panel.
inline constexpr QRect kLaptopScreen{0, 0, 1024, 740};

}  // namespace opal::testing
