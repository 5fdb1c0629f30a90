#include "ui/PlatformImageRenderer.h"

#include "UiHarness.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace corvel;

TEST(PlatformImageRenderer, drawingsAreTintedAndKeepTheirOriginAtTheBottomLeft) {
    platform::ImageShape block;
    block.rect = {{0, 0}, {10, 5}};
    auto drawing = platform::Image::drawing({20, 20}, {block});

    QImage image = PlatformImageRenderer::pixmap(drawing, QColor(0, 0, 200), 2.0).toImage();

    EXPECT_EQ(image.size(), QSize(40, 40));
    EXPECT_EQ(image.pixelColor(4, 36), QColor(0, 0, 200));
    EXPECT_EQ(qAlpha(image.pixel(4, 4)), 0);
}

TEST(PlatformImageRenderer, aTemplatePngKeepsOnlyItsAlphaAndAPlainOneItsColours) {
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    auto png = platform::Image::png(test::pngOf(red), {16, 16});

    QImage plain = PlatformImageRenderer::pixmap(png, Qt::green).toImage();
    EXPECT_EQ(plain.size(), QSize(16, 16));
    EXPECT_EQ(plain.pixelColor(8, 8), QColor(255, 0, 0));

    png.setTemplate(true);
    EXPECT_EQ(PlatformImageRenderer::pixmap(png, Qt::green).toImage().pixelColor(8, 8),
              QColor(Qt::green));
}

TEST(PlatformImageRenderer, bytesThatAreNoPngAndUnknownSymbolsGiveNoPicture) {
    EXPECT_TRUE(PlatformImageRenderer::pixmap(platform::Image::png({1, 2, 3}, {16, 16}), Qt::black)
                    .isNull());
    EXPECT_TRUE(PlatformImageRenderer::pixmap(platform::Image::symbol("no.such.symbol"), Qt::black)
                    .isNull());
    EXPECT_FALSE(
        PlatformImageRenderer::pixmap(platform::Image::symbol("folder.fill"), Qt::black).isNull());
}
