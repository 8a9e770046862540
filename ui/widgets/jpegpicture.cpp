#include "ui/widgets/jpegpicture.h"

#include <QCoreApplication>
#include <QFile>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared before it

#include <jpeglib.h>

// Resources compiled into a static library are only kept when something refers to them.
static void LoadPhotograph() {
  Q_INIT_RESOURCE(pictures);
}

namespace opal::ui {
namespace {

// Far above any picture of the program; a damaged header must not make it allocate gigabytes.
constexpr JDIMENSION kLargestSide = 4096;

// libjpeg reports a fatal error through error_exit, which must not return: it jumps back to the
// decoder. A warning (damaged data libjpeg would paper over) is kept and fails the picture too.
struct ErrorManager {
  jpeg_error_mgr standard;
  std::jmp_buf fatal;
  char message[JMSG_LENGTH_MAX];
  bool failed;
};

void KeepMessage(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (errors->failed) return;
  errors->failed = true;
  info->err->format_message(info, errors->message);
}

[[noreturn]] void FatalError(j_common_ptr info) {
  KeepMessage(info);
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->fatal, 1);
}

void Message(j_common_ptr info, int level) {
  // Level -1 is a warning about the data; higher levels are trace output.
  if (level < 0) KeepMessage(info);
}

// Only trivially destructible objects live in this frame, so the jump out of libjpeg skips no
// destructor; the picture is written through a pointer to the caller's object.
bool Decompress(jpeg_decompress_struct* info, const QByteArray* bytes, QImage* image) {
  if (setjmp(reinterpret_cast<ErrorManager*>(info->err)->fatal) != 0) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes->constData()),
               static_cast<unsigned long>(bytes->size()));
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  if (info->output_width > kLargestSide || info->output_height > kLargestSide) return false;
  *image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                  QImage::Format_RGB888);
  if (image->isNull()) return false;
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info->output_scanline));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

JpegPicture DecodeJpeg(const QByteArray& bytes) {
  ErrorManager errors{};
  jpeg_decompress_struct info{};
  info.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = FatalError;
  errors.standard.emit_message = Message;
  QImage image;
  const bool decoded = Decompress(&info, &bytes, &image);
  jpeg_destroy_decompress(&info);
  if (decoded && !errors.failed) return {image, {}};
  if (errors.failed) return {{}, QString::fromLocal8Bit(errors.message)};
  return {{},
          QCoreApplication::translate("JpegPicture", "The picture is larger than %1 x %1 pixels.")
              .arg(kLargestSide)};
}

JpegPicture HeadIdPhotograph() {
  LoadPhotograph();
  QFile file(QStringLiteral(":/opal-service/headid-photo.jpg"));
  if (!file.open(QIODevice::ReadOnly))
    return {{}, QCoreApplication::translate("JpegPicture", "The photograph is missing.")};
  return DecodeJpeg(file.readAll());
}

}  // namespace opal::ui
