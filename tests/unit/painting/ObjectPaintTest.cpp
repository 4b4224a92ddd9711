// Each kind's Paint onto a frame: where the turned pictures land, when their caches are rebuilt,
// the signs, the edge bars, and the compass case, needle and selection ring.
#include "objects/Compass.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Palette.h"
#include "objects/Pictures.h"
#include "objects/Solonoid.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "painting/PaintingTestUtil.h"
#include "support/Rounding.h"

#include <cmath>
#include <string>

namespace {

using ObjectPainting = PaintingTest;

// Test subclasses that show the rotated-picture caches.
class TProbeMagnet : public TFixedMagnet {
public:
    TFastDIB* Cache() const { return FRotatedBMP.get(); }
};

class TProbeCoil : public Tsolonoid {
public:
    TFastDIB* Cache() const { return FRotatedBMP.get(); }
};

// A pixel (column x, row y from the top) in the frame of an object centred at (cx, cy) and turned
// by `angle` clockwise on the screen: the inverse of (u, v) -> (u cos - v sin, u sin + v cos).
struct TLocal {
    double U = 0.0;
    double V = 0.0;
};

TLocal ToLocal(int x, int y, double cx, double cy, double angle)
{
    const double dx = x - cx;
    const double dy = y - cy;
    return TLocal{dx * std::cos(angle) + dy * std::sin(angle), -dx * std::sin(angle) + dy * std::cos(angle)};
}

// Which sign a conductor disc shows in the square of half side 11 around (x, y): '+' when its
// pure white pixels stand at least six rows high, '-' when they form a bar at most three rows
// high; the disc colour is the more frequent of red and blue.
struct TSignSeen {
    char Sign = '?';
    char Disc = '?';
};

TSignSeen SignAround(const TFastDIB& frame, int x, int y)
{
    int top = 1 << 20;
    int bottom = -1;
    int red = 0;
    int blue = 0;
    for (int j = y - 11; j <= y + 11; ++j) {
        for (int i = x - 11; i <= x + 11; ++i) {
            const TFColor p = At(frame, i, j);
            if (p == Palette::White) {
                top = std::min(top, j);
                bottom = std::max(bottom, j);
            }
            red += IsReddish(p) ? 1 : 0;
            blue += IsBluish(p) ? 1 : 0;
        }
    }
    TSignSeen seen;
    const int height = bottom - top + 1;
    seen.Sign = bottom < 0 ? '?' : height >= 6 ? '+' : height <= 3 ? '-' : '?';
    seen.Disc = red > blue ? 'r' : blue > red ? 'b' : '?';
    return seen;
}

} // namespace

TEST_F(ObjectPainting, MagnetAtRotationZeroLiesExactlyOverItsBox)
{
    TFixedMagnet magnet;
    magnet.SetBounds(100, 80, 124, 124);
    auto frame = MakeFrame(400, 300);
    magnet.Paint(*frame);

    auto expected = MakeFrame(400, 300);
    MagnetPicture().TransDraw(*expected, 100, 80, Palette::SpriteKey);
    EXPECT_EQ(PixelsTopDown(*frame), PixelsTopDown(*expected));
    // A vertical bar with the handle at its top end.
    EXPECT_EQ(At(*frame, 162, 88), Palette::Green);
    EXPECT_EQ(At(*frame, 162, 190), Palette::Red);
}

// The red bar and the handle of a magnet turned to any angle, checked against the rectangle the
// magnet's centre, size and angle describe. The turned picture may sit up to two pixels off (it is
// turned about a pixel next to the body's centre) and its edges are blended, so a band of three
// pixels along the outline is left out.
TEST_F(ObjectPainting, MagnetsAtAnyAngleCoverTheirTurnedRectangle)
{
    const double angles[] = {0.0, 0.3, 1.0, Pi / 2, 2.2, Pi, 3.9, 3 * Pi / 2, 5.5, 2 * Pi - 0.01};
    for (double angle : angles) {
        SCOPED_TRACE("angle " + std::to_string(angle));
        TFixedMagnet magnet;
        magnet.SetBounds(138, 138, 124, 124);
        magnet.SetRotation(angle);
        const double cx = 138 + 124 / 2.0;
        const double cy = 138 + 124 / 2.0;
        auto frame = MakeFrame(400, 400);
        magnet.Paint(*frame);

        int inside = 0;
        for (int y = 0; y < 400; ++y) {
            for (int x = 0; x < 400; ++x) {
                const TLocal p = ToLocal(x, y, cx, cy, angle);
                const TFColor c = At(*frame, x, y);
                const bool nearHandle = std::hypot(p.U, p.V + 54.0) <= 10.0;
                if (std::fabs(p.U) <= 12.0 && std::fabs(p.V) <= 57.0 && !nearHandle) {
                    ++inside;
                    ASSERT_EQ(c, Palette::Red) << "inside at " << x << ", " << y;
                } else if (std::fabs(p.U) >= 18.0 || std::fabs(p.V) >= 63.0) {
                    ASSERT_EQ(c, Background) << "outside at " << x << ", " << y;
                }
            }
        }
        EXPECT_GT(inside, 2000);

        // The handle 54 pixels from the centre towards the magnet's negative-v end.
        const TCentroid handle = CentroidOf(*frame, IsGreenish);
        EXPECT_GT(handle.Count, 60);
        EXPECT_NEAR(handle.X, cx + 54.0 * std::sin(angle), 2.5);
        EXPECT_NEAR(handle.Y, cy - 54.0 * std::cos(angle), 2.5);
    }
}

TEST_F(ObjectPainting, MagnetAtAQuarterTurnIsHorizontalWithTheHandleRight)
{
    TFixedMagnet magnet;
    magnet.SetBounds(138, 138, 124, 124);
    magnet.SetRotation(Pi / 2);
    auto frame = MakeFrame(400, 400);
    magnet.Paint(*frame);

    EXPECT_EQ(At(*frame, 150, 200), Palette::Red);
    EXPECT_EQ(At(*frame, 240, 200), Palette::Red);
    EXPECT_EQ(At(*frame, 200, 175), Background);
    EXPECT_EQ(At(*frame, 200, 225), Background);
    const TCentroid handle = CentroidOf(*frame, IsGreenish);
    EXPECT_GT(handle.X, 250.0);
    EXPECT_NEAR(handle.Y, 200.0, 2.0);
}

// The coil's body, hub and stripes at any angle, flipped or not: the red stripe and plus end lie
// towards the coil's +u end unless the current is reversed.
TEST_F(ObjectPainting, CoilsAtAnyAngleCoverTheirTurnedBodyWithStripesOnTheRightSides)
{
    const double angles[] = {0.0, 0.4, Pi / 2, 2.0, Pi, 4.2, 3 * Pi / 2, 6.0};
    for (bool flipped : {false, true}) {
        for (double angle : angles) {
            SCOPED_TRACE("angle " + std::to_string(angle) + (flipped ? " flipped" : ""));
            Tsolonoid coil;
            coil.SetBounds(100, 100, 201, 201);
            coil.SetRotation(angle);
            coil.SetIsFlipped(flipped);
            const double cx = 100 + 201 / 2.0;
            const double cy = 100 + 201 / 2.0;
            auto frame = MakeFrame(401, 401);
            coil.Paint(*frame);

            double redU = 0.0;
            double blueU = 0.0;
            int reds = 0;
            int blues = 0;
            for (int y = 0; y < 401; ++y) {
                for (int x = 0; x < 401; ++x) {
                    const TLocal p = ToLocal(x, y, cx, cy, angle);
                    const TFColor c = At(*frame, x, y);
                    if (std::fabs(p.U) <= 88.0 && std::fabs(p.V) <= 4.0) {
                        ASSERT_NE(c, Background) << "inside at " << x << ", " << y;
                    } else if (std::fabs(p.U) >= 103.0 || std::fabs(p.V) >= 12.0) {
                        ASSERT_EQ(c, Background) << "outside at " << x << ", " << y;
                    }
                    if (IsReddish(c)) {
                        redU += p.U;
                        ++reds;
                    } else if (IsBluish(c)) {
                        blueU += p.U;
                        ++blues;
                    }
                }
            }
            ASSERT_GT(reds, 200);
            ASSERT_GT(blues, 200);
            const double sign = flipped ? -1.0 : 1.0;
            EXPECT_GT(sign * redU / reds, 30.0);
            EXPECT_LT(sign * blueU / blues, -30.0);
            EXPECT_EQ(At(*frame, RoundHalfEven(cx), RoundHalfEven(cy)), Palette::Black) << "hub";
        }
    }
}

TEST_F(ObjectPainting, FlippedCoilShowsItsPlusSignAtTheLeftEnd)
{
    struct Case {
        bool Flipped;
        char LeftSign, LeftDisc, RightSign, RightDisc;
    };
    const Case cases[] = {{false, '-', 'b', '+', 'r'}, {true, '+', 'r', '-', 'b'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Flipped ? "flipped" : "not flipped");
        Tsolonoid coil;
        coil.SetBounds(100, 100, 201, 201);
        coil.SetRotation(0.0);
        coil.SetIsFlipped(c.Flipped);
        auto frame = MakeFrame(401, 401);
        coil.Paint(*frame);

        const TSignSeen left = SignAround(*frame, 110, 200);
        const TSignSeen right = SignAround(*frame, 292, 200);
        EXPECT_EQ(left.Sign, c.LeftSign);
        EXPECT_EQ(left.Disc, c.LeftDisc);
        EXPECT_EQ(right.Sign, c.RightSign);
        EXPECT_EQ(right.Disc, c.RightDisc);
    }
}

TEST_F(ObjectPainting, MagnetCacheIsRebuiltOnlyWhenTheAngleChanges)
{
    TProbeMagnet magnet;
    magnet.SetBounds(40, 40, 124, 124);
    magnet.SetRotation(0.5);
    EXPECT_EQ(magnet.LastDrawnRotation, 1000.0);
    EXPECT_EQ(magnet.Cache(), nullptr);

    auto frame = MakeFrame(200, 200);
    magnet.Paint(*frame);
    EXPECT_EQ(magnet.LastDrawnRotation, 0.5);
    TFastDIB* cache = magnet.Cache();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->Width(), 250);
    EXPECT_EQ(cache->AbsHeight(), 250);

    // A mark in the middle of the cache survives a Paint at the same angle and shows on the
    // frame, at the pixel the cache's centre is drawn to...
    const TFColor mark = MakeFColor(1, 2, 3);
    cache->SetPixel(125, 125, mark);
    frame = MakeFrame(200, 200);
    magnet.Paint(*frame);
    EXPECT_EQ(At(*frame, 40 - 63 + 125, 40 - 63 + 124), mark);

    // ...and is gone after any turn, however small; the cache keeps its surface and size.
    magnet.SetRotation(0.5 + 1e-9);
    frame = MakeFrame(200, 200);
    magnet.Paint(*frame);
    EXPECT_EQ(At(*frame, 40 - 63 + 125, 40 - 63 + 124), Palette::Red);
    EXPECT_EQ(magnet.LastDrawnRotation, 0.5 + 1e-9);
    EXPECT_EQ(magnet.Cache(), cache);
    EXPECT_EQ(cache->Width(), 250);
}

TEST_F(ObjectPainting, CoilCacheFollowsTheDrawingAngleIncludingTheFlip)
{
    TProbeCoil coil;
    coil.SetBounds(0, 0, 201, 201);
    coil.SetRotation(1.0);
    auto frame = MakeFrame(201, 201);
    coil.Paint(*frame);
    EXPECT_EQ(coil.LastDrawnRotation, 1.0);
    TFastDIB* cache = coil.Cache();
    ASSERT_NE(cache, nullptr);

    const TFColor mark = MakeFColor(1, 2, 3);
    cache->SetPixel(125, 125, mark);
    coil.Paint(*frame);
    EXPECT_EQ(CountPixels(*frame, mark), 1);

    // Reversing the current turns the picture half a turn further.
    coil.SetIsFlipped(true);
    frame = MakeFrame(201, 201);
    coil.Paint(*frame);
    EXPECT_EQ(coil.LastDrawnRotation, 1.0 + Pi);
    EXPECT_EQ(CountPixels(*frame, mark), 0);
    EXPECT_EQ(coil.Cache(), cache);
}

TEST_F(ObjectPainting, MotorCommutatorStaysUnturnedOnTheMotorsCentre)
{
    for (double angle : {0.7, 2.0, 4.5}) {
        SCOPED_TRACE("angle " + std::to_string(angle));
        TMotor motor;
        motor.SetBounds(100, 100, 201, 201);
        motor.SetRotation(angle);
        auto frame = MakeFrame(401, 401);
        motor.Paint(*frame);

        const TFastDIB& commutator = CommutatorPicture();
        const int left = RoundHalfEven(motor.CentreX() - 15.0);
        const int top = RoundHalfEven(motor.CentreY() - 15.0);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const TFColor p = At(commutator, x, y);
                if (p != Palette::SpriteKey) {
                    ASSERT_EQ(At(*frame, left + x, top + y), p) << "at " << x << ", " << y;
                }
            }
        }
        EXPECT_EQ(At(*frame, left + 1, top + 14), Palette::Blue);
        EXPECT_EQ(At(*frame, left + 28, top + 14), Palette::Red);
    }
}

TEST_F(ObjectPainting, WireShowsAPlusOrMinusDiscAtItsCentre)
{
    struct Case {
        bool Flipped;
        TFColor Disc, Rim;
        int WhitePixels;
    };
    const Case cases[] = {
        {false, Palette::Red, Palette::LightRed, 28}, // two 8 x 2 bars crossing
        {true, Palette::Blue, Palette::LightBlue, 16}, // one 8 x 2 bar
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Flipped ? "flipped" : "not flipped");
        TWire wire(c.Flipped);
        wire.SetBounds(10, 10, 21, 21);
        auto frame = MakeFrame(41, 41);
        wire.Paint(*frame);

        const int px = RoundHalfEven(wire.CentreX());
        const int py = RoundHalfEven(wire.CentreY());
        EXPECT_EQ(CountPixels(*frame, Palette::White), c.WhitePixels);
        EXPECT_EQ(At(*frame, px, py), Palette::White);
        EXPECT_EQ(At(*frame, px - 4, py - 1), Palette::White);
        EXPECT_EQ(At(*frame, px, py - 4), c.Flipped ? c.Disc : Palette::White);
        EXPECT_EQ(At(*frame, px - 4, py - 4), c.Disc);
        EXPECT_EQ(At(*frame, px, py - 8), c.Rim);
        EXPECT_EQ(At(*frame, px, py - 10), Background);
        EXPECT_EQ(CountPixels(*frame, Background) + CountPixels(*frame, Palette::White) +
                      CountPixels(*frame, c.Disc) + CountPixels(*frame, c.Rim),
                  41 * 41);
    }
}

// The edge bars, also on surfaces too narrow for all four columns or without rows: only columns
// on the surface are drawn, the right bars last.
TEST_F(ObjectPainting, UniformFieldBarsSwapColoursWhenFlippedAndStayOnTheSurface)
{
    struct Case {
        int Width, Height;
        bool Flipped;
        const char* Row; // R red, B blue, . untouched
    };
    const Case cases[] = {
        {7, 3, false, "RR...BB"}, {7, 3, true, "BB...RR"}, {4, 2, false, "RRBB"},
        {3, 2, false, "RBB"},     {2, 2, false, "BB"},     {1, 3, false, "B"},
        {1, 3, true, "R"},        {5, 0, false, ""},       {0, 4, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height) + (c.Flipped ? " flipped" : ""));
        TUniformMagneticField field(0.1);
        field.SetIsFlipped(c.Flipped);
        auto frame = MakeFrame(c.Width, c.Height);
        field.Paint(*frame);
        for (int y = 0; y < frame->AbsHeight(); ++y) {
            std::string row;
            for (int x = 0; x < frame->Width(); ++x) {
                const TFColor p = At(*frame, x, y);
                row += p == Palette::Red ? 'R' : p == Palette::Blue ? 'B' : p == Background ? '.' : '?';
            }
            EXPECT_EQ(row, c.Row) << "row " << y;
        }
    }
}

TEST_F(ObjectPainting, CompassNeedlePointsAlongItsVector)
{
    struct Case {
        double X, Y;
    };
    const Case cases[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {3, 4}, {-0.3, 0.7}, {-5, -2}};
    for (const Case& c : cases) {
        SCOPED_TRACE("vector " + std::to_string(c.X) + ", " + std::to_string(c.Y));
        TCompass compass;
        compass.SetBounds(20, 20, 32, 32);
        compass.SetVector(c.X, c.Y);
        auto frame = MakeFrame(72, 72);
        compass.Paint(*frame);

        const TCentroid red = CentroidOf(*frame, IsReddish);
        const TCentroid blue = CentroidOf(*frame, IsBluish);
        ASSERT_GT(red.Count, 10);
        ASSERT_GT(blue.Count, 10);
        const double drawn = std::atan2(red.Y - blue.Y, red.X - blue.X);
        const double wanted = std::atan2(c.Y, c.X);
        EXPECT_NEAR(std::remainder(drawn - wanted, 2 * Pi), 0.0, 0.1);
        // The needle turns about the middle of the case.
        EXPECT_NEAR((red.X + blue.X) / 2, 36.0, 1.5);
        EXPECT_NEAR((red.Y + blue.Y) / 2, 35.5, 1.5);
    }
}

TEST_F(ObjectPainting, CompassCaseAndItsDottedSelectionRing)
{
    TCompass compass;
    compass.SetBounds(20, 20, 32, 32);
    compass.SetVector(1, 0);

    auto plain = MakeFrame(72, 72);
    compass.Paint(*plain);
    EXPECT_EQ(At(*plain, 36, 25), Palette::CompassFace);
    EXPECT_EQ(At(*plain, 36, 20), Palette::CompassOutline);
    EXPECT_GT(CountPixels(*plain, Palette::CompassRim), 20);
    EXPECT_EQ(At(*plain, 10, 10), Background);
    EXPECT_EQ(CountPixels(*plain, Palette::CompassSelection), 0);

    compass.SetSelected(true);
    auto selected = MakeFrame(72, 72);
    compass.Paint(*selected);
    int ring = 0;
    for (int y = 0; y < 72; ++y) {
        for (int x = 0; x < 72; ++x) {
            if (At(*selected, x, y) == At(*plain, x, y)) {
                continue;
            }
            ++ring;
            EXPECT_EQ(At(*selected, x, y), Palette::CompassSelection) << "at " << x << ", " << y;
            const double r = std::hypot(x + 0.5 - 36.0, y + 0.5 - 36.0);
            EXPECT_TRUE(r > 12.5 && r < 15.5) << "at " << x << ", " << y << ", radius " << r;
        }
    }
    // Dotted: about every other pixel of a one-pixel ring of radius 15 (some 90 pixels).
    EXPECT_GT(ring, 25);
    EXPECT_LT(ring, 65);

    compass.SetSelected(false);
    auto again = MakeFrame(72, 72);
    compass.Paint(*again);
    EXPECT_EQ(PixelsTopDown(*again), PixelsTopDown(*plain));
}

TEST_F(ObjectPainting, CompassWithoutANeedleYetPaintsOnlyItsCase)
{
    TCompass compass;
    compass.SetBounds(20, 20, 32, 32);
    auto frame = MakeFrame(72, 72);
    compass.Paint(*frame);
    EXPECT_EQ(CentroidOf(*frame, IsReddish).Count, 0);
    EXPECT_EQ(At(*frame, 36, 36), Palette::CompassFace);
}
