#include "backend_mac26/CorvelGlyph.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using platform::ImageShape;

void expectRect(const platform::Rect& rect, double x, double y, double w, double h) {
    EXPECT_NEAR(rect.origin.x, x, 1e-9);
    EXPECT_NEAR(rect.origin.y, y, 1e-9);
    EXPECT_NEAR(rect.size.width, w, 1e-9);
    EXPECT_NEAR(rect.size.height, h, 1e-9);
}

TEST(CorvelGlyph, isASeventeenByFifteenTemplateDescribedAsCorvel) {
    const auto image = CorvelGlyph::menuBarTemplate();
    EXPECT_EQ(image.kind(), platform::Image::Kind::drawing);
    EXPECT_EQ(image.size(), (platform::Size{17, 15}));
    EXPECT_TRUE(image.isTemplate());
    EXPECT_EQ(image.accessibilityDescription(), "Corvel");
}

TEST(CorvelGlyph, drawsAFilledLidAStrokedBodyAndThreeFilledDots) {
    const auto shapes = CorvelGlyph::menuBarTemplate().shapes();
    ASSERT_EQ(shapes.size(), 5u);
    const double t = 0.14 * 15;

    EXPECT_EQ(shapes[0].kind, ImageShape::Kind::roundedRect);
    EXPECT_EQ(shapes[0].paint, ImageShape::Paint::fill);
    expectRect(shapes[0].rect, (17 - 0.74 * 17) / 2, 0.8 * 15 - t, 0.74 * 17, t);
    EXPECT_NEAR(shapes[0].cornerRadius, t / 2, 1e-9);

    EXPECT_EQ(shapes[1].kind, ImageShape::Kind::roundedRect);
    EXPECT_EQ(shapes[1].paint, ImageShape::Paint::stroke);
    expectRect(shapes[1].rect, (17 - 0.6 * 17) / 2, 1.5, 0.6 * 17, 0.46 * 15);
    EXPECT_NEAR(shapes[1].cornerRadius, 0.34 * 0.46 * 15, 1e-9);
    EXPECT_NEAR(shapes[1].lineWidth, t, 1e-9);

    const double r = 0.075 * 17;
    const double s = 0.26 * 0.6 * 17;
    const double c = 1.5 + 0.23 * 15;
    const double lefts[] = {8.5 - s - r, 8.5 - r, 8.5 + s - r};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shapes[2 + i].kind, ImageShape::Kind::oval);
        EXPECT_EQ(shapes[2 + i].paint, ImageShape::Paint::fill);
        expectRect(shapes[2 + i].rect, lefts[i], c - r, 2 * r, 2 * r);
    }
}

} // namespace
} // namespace corvel
