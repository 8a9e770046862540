#pragma once

#include <QWidget>
#include <string>

namespace opal::testing {

// The object names of the window's visible captions and fields whose text does not fit their
// rectangle.
std::string Clipped(const QWidget& window);

// The pairs of visible controls of the window that cover part of one another, as "A/B".
std::string Overlapping(const QWidget& window);

}  // namespace opal::testing
