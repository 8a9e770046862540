#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace opal::ui {

// A decoded picture, or why there is none.
struct JpegPicture {
  QImage image;     // null when decoding failed
  QString failure;  // what was wrong with the bytes; empty on success
};

// Decodes a whole JPEG file. Damaged or truncated data is a failure, never a half-grey picture.
JpegPicture DecodeJpeg(const QByteArray& bytes);

// The photograph that shows where the head ID label sits on the print head, 180 x 140 pixels.
JpegPicture HeadIdPhotograph();

}  // namespace opal::ui
