// The master pictures painted at start-up and the painting helpers they are made of.
#include "objects/ExperimentalObject.h"
#include "objects/Palette.h"
#include "objects/Pictures.h"
#include "painting/PaintingTestUtil.h"

#include <cmath>

namespace {

using MasterPictures = PaintingTest;

bool WithinDisc(int x, int y, double cx, double cy, double r) { return std::hypot(x - cx, y - cy) <= r; }

} // namespace

TEST_F(MasterPictures, MagnetIsARedBarWithTheGreenHandleOnAGreyRingAtItsTop)
{
    const TFastDIB& picture = MagnetPicture();
    ASSERT_EQ(picture.Width(), 124);
    ASSERT_EQ(picture.AbsHeight(), 124);
    ASSERT_EQ(picture.Bpp(), 24);

    // The bar: columns 47..77, rows 2..122, solid red away from the handle; key all around it
    // except the grey ring, which reaches one row above the bar.
    for (int y = 0; y < 124; ++y) {
        for (int x = 0; x < 124; ++x) {
            const TFColor p = At(picture, x, y);
            const bool inBar = x >= 47 && x <= 77 && y >= 2 && y <= 122;
            if (WithinDisc(x, y, 62, 8, 8.5)) {
                continue;
            }
            ASSERT_EQ(p, inBar ? Palette::Red : Palette::SpriteKey) << "at " << x << ", " << y;
        }
    }

    const TFColor light = MakeFColor(76, 255, 76);
    const TFColor dark = MakeFColor(0, 204, 0);
    EXPECT_EQ(At(picture, 62, 8), Palette::Green);
    EXPECT_EQ(At(picture, 57, 8), Palette::Green);
    for (const auto& [x, y] : {std::pair{55, 8}, {68, 8}, {62, 1}}) {
        EXPECT_EQ(At(picture, x, y), Palette::Grey) << "ring at " << x << ", " << y;
    }
    for (const auto& [x, y] : {std::pair{60, 9}, {61, 10}}) {
        EXPECT_EQ(At(picture, x, y), light) << "light stroke at " << x << ", " << y;
    }
    for (const auto& [x, y] : {std::pair{65, 8}, {64, 7}, {63, 6}, {62, 5}, {64, 6}, {65, 9}, {61, 5}}) {
        EXPECT_EQ(At(picture, x, y), dark) << "dark mark at " << x << ", " << y;
    }
}

TEST_F(MasterPictures, CoilHasItsBodyStripesHubAndPlusSignAtTheRightEnd)
{
    const TFastDIB& picture = CoilPicture();
    ASSERT_EQ(picture.Width(), 201);
    ASSERT_EQ(picture.AbsHeight(), 201);

    struct Probe {
        int X, Y;
        TFColor Expected;
    };
    const Probe probes[] = {
        // Body, columns 7..191 and rows 92..107, with key just outside it.
        {40, 92, Palette::Black}, {40, 107, Palette::Black}, {150, 92, Palette::Black}, {150, 107, Palette::Black},
        {40, 91, Palette::SpriteKey}, {40, 108, Palette::SpriteKey}, {150, 108, Palette::SpriteKey},
        {0, 0, Palette::SpriteKey}, {200, 200, Palette::SpriteKey},
        // Red stripe on the right half and blue on the left, rows 98..101.
        {150, 98, Palette::Red}, {150, 101, Palette::Red}, {150, 97, Palette::Black}, {150, 102, Palette::Black},
        {110, 99, Palette::Red}, {180, 99, Palette::Red},
        {40, 98, Palette::Blue}, {40, 101, Palette::Blue}, {89, 99, Palette::Blue}, {20, 99, Palette::Blue},
        // The black hub of radius 9 over the middle.
        {100, 100, Palette::Black}, {93, 99, Palette::Black}, {107, 100, Palette::Black},
        // Plus disc at (192, 100): white cross, red disc, light red rim.
        {192, 100, Palette::White}, {192, 96, Palette::White}, {192, 103, Palette::White}, {188, 100, Palette::White},
        {188, 96, Palette::Red}, {192, 92, Palette::LightRed},
        // Minus disc at (10, 100): a white bar only, blue disc, light blue rim.
        {10, 100, Palette::White}, {6, 99, Palette::White}, {13, 100, Palette::White},
        {10, 96, Palette::Blue}, {10, 103, Palette::Blue}, {10, 92, Palette::LightBlue},
    };
    for (const Probe& probe : probes) {
        EXPECT_EQ(At(picture, probe.X, probe.Y), probe.Expected) << "at " << probe.X << ", " << probe.Y;
    }
}

TEST_F(MasterPictures, CommutatorIsASplitRingBlueLeftRedRight)
{
    const TFastDIB& picture = CommutatorPicture();
    ASSERT_EQ(picture.Width(), 30);
    ASSERT_EQ(picture.AbsHeight(), 30);

    int blue = 0;
    int red = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const TFColor p = At(picture, x, y);
            if (p == Palette::Blue) {
                ++blue;
                EXPECT_LT(x, 13) << "blue in the gap or right half at " << x << ", " << y;
            } else if (p == Palette::Red) {
                ++red;
                EXPECT_GT(x, 17) << "red in the gap or left half at " << x << ", " << y;
            } else {
                EXPECT_EQ(p, Palette::SpriteKey) << "at " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(blue, 150);
    EXPECT_GT(red, 150);
    EXPECT_EQ(At(picture, 1, 14), Palette::Blue);
    EXPECT_EQ(At(picture, 28, 14), Palette::Red);
    // The hole of radius 7 around the centre.
    EXPECT_EQ(At(picture, 10, 14), Palette::SpriteKey);
    EXPECT_EQ(At(picture, 19, 14), Palette::SpriteKey);
    EXPECT_EQ(At(picture, 0, 0), Palette::SpriteKey);
}

TEST_F(MasterPictures, NeedlePointsRedAlongPlusXOnSilver)
{
    const TFastDIB& picture = NeedlePicture();
    ASSERT_EQ(picture.Width(), 32);
    ASSERT_EQ(picture.AbsHeight(), 32);

    EXPECT_EQ(At(picture, 3, 15), Palette::Blue);
    EXPECT_EQ(At(picture, 29, 15), Palette::Red);
    // The common base, column 16 rows 12..18, belongs to the red fan drawn last.
    for (int y = 12; y <= 18; ++y) {
        EXPECT_EQ(At(picture, 16, y), Palette::Red) << "base row " << y;
    }
    for (const auto& [x, y] : {std::pair{16, 11}, {16, 19}, {2, 15}, {30, 15}, {0, 0}, {31, 31}, {4, 12}}) {
        EXPECT_EQ(At(picture, x, y), Palette::Silver) << "at " << x << ", " << y;
    }
    const TCentroid blue = CentroidOf(picture, IsBluish);
    const TCentroid red = CentroidOf(picture, IsReddish);
    EXPECT_LT(blue.X, 14.0);
    EXPECT_GT(red.X, 18.0);
    EXPECT_NEAR(blue.Y, 15.0, 0.5);
    EXPECT_NEAR(red.Y, 15.0, 0.5);
}

TEST(PaintingHelpers, DrawHandleShadesItsColourRoundingHalvesToEven)
{
    struct Case {
        TFColor Colour, Light, Dark;
    };
    const Case cases[] = {
        {Palette::Green, MakeFColor(76, 255, 76), MakeFColor(0, 204, 0)},
        // 146.5, 111.5 and 216.5 go to the even neighbours.
        {MakeFColor(100, 50, 200), MakeFColor(146, 112, 216), MakeFColor(80, 40, 160)},
    };
    for (const Case& c : cases) {
        auto bmp = MakeSurface(20, 20, Background);
        TExperimentalObject::DrawHandle(*bmp, 10, 10, c.Colour);
        EXPECT_EQ(At(*bmp, 10, 10), c.Colour);
        EXPECT_EQ(At(*bmp, 8, 11), c.Light);
        EXPECT_EQ(At(*bmp, 9, 12), c.Light);
        for (const auto& [x, y] : {std::pair{13, 10}, {12, 9}, {11, 8}, {10, 7}, {12, 8}, {13, 11}, {9, 7}}) {
            EXPECT_EQ(At(*bmp, x, y), c.Dark) << "at " << x << ", " << y;
        }
    }
}

TEST(PaintingHelpers, DrawCircleCountsRowsFromTheBottomAndKeepsThePenAndBrush)
{
    auto bmp = MakeSurface(20, 20, Background);
    bmp->SetPen(PenDot, 3, 0x123456);
    bmp->SetBrush(BrushHollow, 0, 0x654321);
    TExperimentalObject::DrawCircle(*bmp, 10, 5, 3, Palette::Red);

    // Centre row 5 from the bottom is row 14 from the top: the disc lies in columns 7..12 and
    // rows 11..16.
    int painted = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (At(*bmp, x, y) == Palette::Red) {
                ++painted;
                EXPECT_TRUE(x >= 7 && x <= 12 && y >= 11 && y <= 16) << "at " << x << ", " << y;
            } else {
                EXPECT_EQ(At(*bmp, x, y), Background);
            }
        }
    }
    EXPECT_GT(painted, 20);
    EXPECT_EQ(At(*bmp, 10, 14), Palette::Red);
    EXPECT_EQ(bmp->PenStyle(), PenDot);
    EXPECT_EQ(bmp->PenWidth(), 3);
    EXPECT_EQ(bmp->PenColor(), 0x123456u);
    EXPECT_EQ(bmp->BrushStyle(), BrushHollow);
    EXPECT_EQ(bmp->BrushColor(), 0x654321u);
}

TEST(PaintingHelpers, ShapesFarOffTheSurfaceDrawNothing)
{
    auto bmp = MakeSurface(16, 16, Background);
    const int far[] = {-2147483647 - 1, -40, 60, 2147483647};
    for (int x : far) {
        for (int y : far) {
            TExperimentalObject::DrawCircle(*bmp, x, y, 9, Palette::Red);
            TExperimentalObject::DrawHandle(*bmp, x, y, Palette::Green);
        }
    }
    EXPECT_EQ(CountPixels(*bmp, Background), 16 * 16);
}
