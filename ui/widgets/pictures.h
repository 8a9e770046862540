#pragma once

#include <QIcon>
#include <QPixmap>

namespace opal::ui {

// The program's own 64 x 64 picture, shown in the about box.
QPixmap ProgramPicture();
// The icon of every window of the program.
QIcon ProgramIcon();
// The downward arrow between two steps of a repair chain, 21 x 38.
QPixmap ArrowPicture();

}  // namespace opal::ui
