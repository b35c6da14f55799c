#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QSet>

#include "app/app_icon.h"

namespace {

TEST(AppIconTest, HasDrawnImageAtEachSize) {
    const int sizes[] = {16, 32};
    const QIcon icon = MakeAppIcon();
    for (int size : sizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        QSet<QRgb> colours;
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = image.pixel(x, y);
                colours.insert(pixel);
                opaque += qAlpha(pixel) == 255 ? 1 : 0;
            }
        }
        // A picture, not a blank or single-colour square: transparent corners around it.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_GT(opaque, size * size / 8);
        EXPECT_GE(colours.size(), 4);
    }
}

TEST(AppIconTest, DrawsThePictureAtEveryThemeSize) {
    // The package's theme icons come from DrawAppIcon, without any application object.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage image = DrawAppIcon(size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size - 1, 0)), 0);
        // The same picture at every size covers about the same share of the square.
        EXPECT_GT(opaque, size * size / 6);
        EXPECT_LT(opaque, size * size * 3 / 4);
    }
}

}  // namespace
