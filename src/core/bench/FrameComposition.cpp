// One frame of the bench: the scene advances (magnetisation, motion), then the picture is built from
// layers, bottom to top:
//   1. white background or the field-strength map
//   2. field lines
//   3. field grid                      -> snapshot into FilingsAddBMP
//   4. iron filings                    -> snapshot into CompassMoveBMP
//   5. objects that are not compasses, in list order
//   6. compasses, in list order
//   7. the bin icon, late in an object drag
//   8. the rubber-band rectangle
// The two snapshots are the cached backgrounds that a compass drag, a rubber band and filings
// editing reuse instead of recomputing the field layers. They are refreshed only by a full
// composition of a still scene, so during a drag or with motion on they keep the last still frame.
//
// Thread: the render thread, while the user-interface thread does not change the scene.
#include "bench/MagnetBench.h"

#include "objects/ExperimentalObject.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"

namespace {

constexpr TFColor White{255, 255, 255};

// The bin's distance to the right and bottom edges of the frame, in pixels.
constexpr int BinMargin = 4;
// The size the bin area assumes when no icon has been handed over (the window's icons are 44 x 44).
constexpr int DefaultBinIconSide = 44;
// The bin appears only after the big move has lasted longer than this, in milliseconds.
constexpr uint32_t BinDelayMs = 500;

bool SameSize(const TFastDIB& a, const TFastDIB& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// Copies the whole of `source` onto `target` at (0, 0), clipped to `target`.
void CopyWhole(TFastDIB& target, const TFastDIB& source)
{
    target.CopyRect(source, 0, 0, source.Width(), source.Height(), 0, 0);
}

// Makes `cache` an exact copy of `frame`: created if absent, resized if its size differs.
void Snapshot(const TFastDIB& frame, std::unique_ptr<TFastDIB>& cache)
{
    if (!cache) {
        cache = std::make_unique<TFastDIB>();
    }
    if (!SameSize(*cache, frame)) {
        cache->SetSize(frame.Width(), frame.Height(), 24);
    }
    CopyWhole(*cache, frame);
}

} // namespace

void TMagnetBench::DrawBitmap(TFastDIB& BMP, double TickCount, bool NeedOnlyCompassRedraw)
{
    // A work area of no pixels (a minimised window) gets no frame at all: the scene does not
    // advance, and neither the caches nor the drawn size (the field cache's size and the bounds of
    // motion) take on a zero size that later frames would index.
    if (BMP.Width() <= 0 || BMP.Height() <= 0) {
        return;
    }

    // The window may switch motion at any moment; one frame works with one reading.
    const bool movementOn = FMovementON;

    UpdateMagnetisation();
    // Motion pauses while a rubber band is drawn.
    if (movementOn && !FNeedFocusRect) {
        DoMotionStep(TickCountToTicks(TickCount));
    }
    const bool moving = FMouseDown || FOMouseDown || movementOn;

    const bool draggingCompass = FOMouseDown && FMouseSender != nullptr && FMouseSender->IsCompass();
    if (NeedOnlyCompassRedraw || FNeedFocusRect || draggingCompass) {
        // Objects on the background of the last still frame. A cache of another size (the work
        // area was resized since) is rebuilt first, so that no stale edge is copied.
        if (!CompassMoveBMP || !SameSize(*CompassMoveBMP, BMP) ||
            (movementOn && FNeedUpdateForFocusRectangleWhenMoving)) {
            BuildLayerCache(BMP, CompassMoveBMP, true);
        }
        FNeedUpdateForFocusRectangleWhenMoving = false;
        CopyWhole(BMP, *CompassMoveBMP);
    } else if (FMouseDown && FMouseSender == nullptr && (FIsAddingFilings || FIsRemovingFilings)) {
        // Filings editing: the field layers from the cache, then every filing again, so that new
        // ones show at once and erased ones vanish at once. The cache is built without the
        // filings; with them baked in, erased filings would stay visible.
        if (!FilingsAddBMP || !SameSize(*FilingsAddBMP, BMP)) {
            BuildLayerCache(BMP, FilingsAddBMP, false);
        }
        CopyWhole(BMP, *FilingsAddBMP);
        if (FHasIronFilings) {
            DrawFilings(BMP, moving);
        }
    } else {
        ComposeLayers(BMP, moving, FHasFieldMap, FHasFieldLines, FHasGrid, FHasIronFilings);
    }

    PaintObjects(BMP);
    DrawBinIcon(BMP);
    DrawFocusRectangle(BMP);

    FLastDrawnWidth = BMP.Width();
    FLastDrawnHeight = BMP.Height();
    if (FullCacheFieldLUT.empty()) {
        BuildFullCacheFieldLUT();
    }
}

void TMagnetBench::FillBackground(TFastDIB& BMP, TFColor Colour)
{
    GradientRect(BMP, 0, 0, BMP.Width(), BMP.Height(), Colour, Colour, Colour, Colour);
}

void TMagnetBench::ComposeLayers(TFastDIB& BMP, bool Quick, bool HasFieldMap, bool HasFieldLines, bool HasGrid,
                                 bool HasIronFilings)
{
    if (HasFieldMap) {
        DrawFieldMap(BMP, Quick);
    } else {
        FillBackground(BMP, White);
    }
    if (HasFieldLines) {
        DrawFieldLines(BMP);
    }
    if (HasGrid) {
        DrawGrid(BMP, Quick);
    }
    // Only a still scene refreshes the caches: while something moves, they keep the last still
    // frame, which is what the cached paths want to show.
    if (!Quick) {
        Snapshot(BMP, FilingsAddBMP);
    }
    if (HasIronFilings) {
        DrawFilings(BMP, Quick);
    }
    if (!Quick) {
        Snapshot(BMP, CompassMoveBMP);
    }
}

void TMagnetBench::BuildLayerCache(TFastDIB& BMP, std::unique_ptr<TFastDIB>& Cache, bool IncludeFilings)
{
    if (!Cache) {
        Cache = std::make_unique<TFastDIB>();
    }
    if (!SameSize(*Cache, BMP)) {
        Cache->SetSize(BMP.Width(), BMP.Height(), 24);
    }
    // Quick is true, so this composition refreshes neither cache (it is drawing into one of them).
    ComposeLayers(*Cache, true, FHasFieldMap, FHasFieldLines, FHasGrid, IncludeFilings && FHasIronFilings);
}

void TMagnetBench::PaintObjects(TFastDIB& BMP)
{
    // Compasses lie above everything, whatever their place in the list.
    for (const auto& object : MO) {
        if (!object->IsCompass()) {
            object->Paint(BMP);
        }
    }
    for (const auto& object : MO) {
        if (object->IsCompass()) {
            object->Paint(BMP);
        }
    }
}

void TMagnetBench::DrawBinIcon(TFastDIB& BMP)
{
    // The bin area is also the drop area of the gestures, so it follows the frame on every frame.
    const int iconWidth = FGarbageIcon ? FGarbageIcon->Width() : DefaultBinIconSide;
    const int iconHeight = FGarbageIcon ? FGarbageIcon->Height() : DefaultBinIconSide;
    BinIconLeft = BMP.Width() - iconWidth - BinMargin;
    BinIconTop = BMP.Height() - iconHeight - BinMargin;

    FBinIconShown = false;
    if (!FOMouseDown || !OMouseBigMove) {
        return;
    }
    if (TickDifference(TickNow(), OMouseBigMoveStartT) <= BinDelayMs) {
        return;
    }
    const bool overBin = FMouseX > BinIconLeft && FMouseY > BinIconTop;
    const TFastDIB* icon = overBin ? FGarbageIconOpen.get() : FGarbageIcon.get();
    if (icon == nullptr) {
        return;
    }
    // White is the icons' background and is left out.
    icon->TransDraw(BMP, BinIconLeft, BinIconTop, White);
    FBinIconShown = true;
}

void TMagnetBench::DrawFocusRectangle(TFastDIB& BMP)
{
    if (!FNeedFocusRect) {
        return;
    }
    // Hollow brush and a dash-dot pen in dark grey (51, 51, 51); they stay selected afterwards.
    BMP.SetBrush(BrushHollow, 0, 0);
    BMP.SetPen(PenDashDot, 0, FColorToColorRef(MakeFColor(51, 51, 51)));
    BMP.DrawFocusRect(FFocusRect);
}
