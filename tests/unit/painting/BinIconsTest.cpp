// The two bin icons: grey ink on white, a closed bin and the same bin with its lid lifted.
#include "objects/BinIcons.h"
#include "objects/Palette.h"
#include "painting/PaintingTestUtil.h"

#include <memory>

namespace {

// Closer to the ink than to white.
bool IsDark(TFColor p) { return p.r < (Palette::BinInk.r + 255) / 2; }

// Runs of dark pixels along row y.
int DarkRuns(const TFastDIB& icon, int y)
{
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < icon.Width(); ++x) {
        const bool dark = IsDark(At(icon, x, y));
        runs += dark && !inRun ? 1 : 0;
        inRun = dark;
    }
    return runs;
}

// The highest dark row among columns [x0, x1) above row `below`, or -1.
int TopDarkRow(const TFastDIB& icon, int x0, int x1, int below)
{
    for (int y = 0; y < below; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (IsDark(At(icon, x, y))) {
                return y;
            }
        }
    }
    return -1;
}

} // namespace

TEST(BinIcons, AreGreyInkWithLighterEdgesOnWhite)
{
    for (bool lifted : {false, true}) {
        SCOPED_TRACE(lifted ? "lid lifted" : "closed");
        const std::unique_ptr<TFastDIB> icon = MakeBinIcon(lifted);
        ASSERT_EQ(icon->Width(), 44);
        ASSERT_EQ(icon->AbsHeight(), 44);
        ASSERT_EQ(icon->Bpp(), 24);

        int ink = 0;
        int edge = 0;
        for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 44; ++x) {
                const TFColor p = At(*icon, x, y);
                if (x == 0 || y == 0 || x == 43 || y == 43) {
                    ASSERT_EQ(p, Palette::White) << "border at " << x << ", " << y;
                }
                // Every pixel lies between the ink and white, channel by channel, with the ink's
                // slight warmth (red above green and blue).
                ASSERT_TRUE(p.r >= Palette::BinInk.r && p.g >= Palette::BinInk.g && p.b >= Palette::BinInk.b)
                    << x << ", " << y;
                ASSERT_TRUE(p.r >= p.g && p.g == p.b) << x << ", " << y;
                ink += p == Palette::BinInk ? 1 : 0;
                edge += p != Palette::BinInk && p != Palette::White ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 400);
        EXPECT_GT(edge, 60);
    }
}

TEST(BinIcons, ClosedLidIsLevelAndTheLiftedOneTiltsUpToTheRight)
{
    const std::unique_ptr<TFastDIB> closed = MakeBinIcon(false);
    const std::unique_ptr<TFastDIB> lifted = MakeBinIcon(true);

    // The same body, with two vertical slots: three dark runs across its middle.
    for (int y = 17; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            ASSERT_EQ(At(*closed, x, y), At(*lifted, x, y)) << "body at " << x << ", " << y;
        }
    }
    for (int y = 24; y <= 36; ++y) {
        EXPECT_EQ(DarkRuns(*closed, y), 3) << "row " << y;
    }

    // The closed lid: a bar wider than the body's top with a narrow handle on it, level.
    const int closedLeft = TopDarkRow(*closed, 0, 22, 17);
    const int closedRight = TopDarkRow(*closed, 22, 44, 17);
    EXPECT_EQ(closedLeft, closedRight);
    EXPECT_GT(closedLeft, 2);
    int handleWidth = 0;
    for (int x = 0; x < 44; ++x) {
        handleWidth += IsDark(At(*closed, x, closedLeft)) ? 1 : 0;
    }
    EXPECT_LT(handleWidth, 14);

    // The lifted lid rises higher at its right end than at its left (ends only, not the handle).
    EXPECT_EQ(TopDarkRow(*closed, 0, 14, 17), TopDarkRow(*closed, 30, 44, 17));
    const int liftedLeftEnd = TopDarkRow(*lifted, 0, 14, 17);
    const int liftedRightEnd = TopDarkRow(*lifted, 30, 44, 17);
    EXPECT_GE(liftedLeftEnd - liftedRightEnd, 6);
    EXPECT_LT(liftedRightEnd, TopDarkRow(*closed, 30, 44, 17));
}
