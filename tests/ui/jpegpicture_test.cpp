#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <ostream>

#include "ui/widgets/jpegpicture.h"

// The program's pictures, compiled into its interface library.
static QByteArray StoredPhotograph() {
  Q_INIT_RESOURCE(pictures);
  QFile file(QStringLiteral(":/opal-service/headid-photo.jpg"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace opal::testing {
namespace {

TEST(JpegPicture, TheHeadPhotographDecodesTo180By140) {
  const ui::JpegPicture photograph = ui::HeadIdPhotograph();
  EXPECT_EQ(photograph.image.size(), QSize(180, 140));
  EXPECT_EQ(photograph.failure, "");
}

struct DamageCase {
  const char* name;
  QByteArray (*damage)(QByteArray photograph);
};

void PrintTo(const DamageCase& c, std::ostream* out) {
  *out << c.name;
}

class DamagedPictures : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedPictures, AreAFailureWithLibjpegsReason) {
  const QByteArray photograph = StoredPhotograph();
  ASSERT_FALSE(photograph.isEmpty());
  const ui::JpegPicture decoded = ui::DecodeJpeg(GetParam().damage(photograph));
  EXPECT_TRUE(decoded.image.isNull());
  EXPECT_FALSE(decoded.failure.isEmpty());
}

// The frame header's height and width, big-endian after its marker, length and precision.
QByteArray WithSize(QByteArray photograph, uint16_t side) {
  const qsizetype frame = photograph.indexOf(QByteArray("\xFF\xC0", 2));
  for (const qsizetype at : {frame + 5, frame + 7}) {
    photograph[at] = static_cast<char>(side >> 8);
    photograph[at + 1] = static_cast<char>(side & 0xFF);
  }
  return photograph;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedPictures,
    ::testing::Values(
        DamageCase{"empty", [](QByteArray) { return QByteArray(); }},
        DamageCase{"not a picture", [](QByteArray) { return QByteArray("GIF89a, not a JPEG"); }},
        DamageCase{"cut in half", [](QByteArray p) { return p.left(p.size() / 2); }},
        DamageCase{
            "scan overwritten",
            [](QByteArray p) { return p.replace(p.size() / 2, 64, QByteArray(64, '\xFF')); }},
        DamageCase{"no width", [](QByteArray p) { return WithSize(p, 0); }},
        DamageCase{"5000 pixels a side", [](QByteArray p) { return WithSize(p, 5000); }}));

}  // namespace
}  // namespace opal::testing
