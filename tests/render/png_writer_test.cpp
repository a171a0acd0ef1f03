// SPDX-License-Identifier: MIT
#include "png_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

namespace fernplot {
namespace {

QImage Decode(const QByteArray& png) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(png, "PNG"));
  return image.convertToFormat(QImage::Format_RGB32);
}

TEST(EncodePng, DecodesToTheSamePixels) {
  std::mt19937 random(7);
  for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(257, 31), QSize(703, 566)}) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, random() | 0xFF000000u);
    }
    for (int level : {1, 2, 9}) {
      EXPECT_EQ(Decode(EncodePng(image, level)), image) << size.width() << "x" << size.height();
    }
  }
  EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

TEST(EncodePng, KeepsResolutionAndConvertsOtherFormats) {
  QImage image(40, 20, QImage::Format_RGB888);
  image.fill(QColor(10, 200, 30));
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  QImage back;
  ASSERT_TRUE(back.loadFromData(EncodePng(image), "PNG"));
  EXPECT_EQ(back.dotsPerMeterX(), 3780);
  EXPECT_EQ(back.pixel(39, 19) & 0xFFFFFF, 0x0AC81Eu);
  EXPECT_FALSE(back.hasAlphaChannel());
}

}  // namespace
}  // namespace fernplot
