#pragma once

#include "bench/OverlapBroadPhase.h"
#include "objects/FieldTypes.h"
#include "raster/Color.h"
#include "support/Tick.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class TExperimentalObject;
class TMagneticObject;
class TFastDIB;

// The scene: every object on the work area, the iron filings, the display switches, the state of
// the pointer gesture in progress and the field caches the visualisations read.
//
// Object list MO: in order of addition; it is the z-order (compasses are painted last), the search
// order of a press (the last hit wins) and of a double click (the first source hit wins), and the
// order of every field sum.
//
// Threads: every operation that changes the scene runs in the user-interface thread inside the
// frame loop's synchronized step, while the render thread waits; DrawBitmap and
// BuildFullCacheFieldLUT run in the render thread while the user-interface thread is free. The
// seven switches the window writes directly (field lines, map, grid, filings, adding and removing
// filings, movement) are atomic booleans, read and written whole from both threads.
//
// The members of this class are implemented in several files of this directory and of layers/,
// one concern each.
class TMagnetBench {
public:
    TMagnetBench();
    ~TMagnetBench();

    TMagnetBench(const TMagnetBench&) = delete;
    TMagnetBench& operator=(const TMagnetBench&) = delete;

    // ---- scene (MagnetBench.cpp) ----
    void AddMagnet(int32_t X, int32_t Y, double Rotation);
    void AddWire(int32_t X, int32_t Y, bool Flipped);
    void AddSolonoid(int32_t X, int32_t Y, double Rotation);
    void AddMotor(int32_t X, int32_t Y);
    void AddCompass(int32_t X, int32_t Y);
    void ClearAll();
    void ClearFilings();
    void ToggleUniformField(double FieldStrength);
    void FlipUniformField();
    void ObjectOnChanged(TExperimentalObject* Sender);

    // ---- field sums and caches (FieldSums.cpp, FieldCache.cpp) ----
    void GetOverallCurrentFieldVector(double x, double y, double& Fx, double& Fy);
    void GetOverallCurrentFieldVectorQuick(double x, double y, double& Fx, double& Fy);
    void GetOverallCurrentFieldVectorOnlySelectedQuick(double x, double y, double& Fx, double& Fy);
    void GetSourcesCurrentFieldVector(double x, double y, double& Fx, double& Fy);
    void GetOverallDipoleFieldVector(double x, double y, double& Fx, double& Fy);
    void BuildFullCacheFieldLUT();
    void BuildMoveCacheFieldLUT();
    void UpdateMagnetisation();

    // ---- compasses (MagnetBench.cpp) ----
    void CalculateCompass();

    // ---- motion (Motion.cpp) ----
    static double TickCountToTicks(double TickCount);
    void DoMotionStep(double ticks);

    // ---- frame composition (FrameComposition.cpp) ----
    void DrawBitmap(TFastDIB& BMP, double TickCount, bool NeedOnlyCompassRedraw);

    // ---- pointer gestures (Gestures.cpp) ----
    void PaintBox1MouseDown(int32_t X, int32_t Y, bool HasRightDown, bool HasCtrlDown);
    void PaintBox1MouseMove(int32_t X, int32_t Y, bool HasRightDown);
    void PaintBox1MouseUp(int32_t X, int32_t Y, bool HasShiftDown);
    void DoDoubleClick(int32_t X, int32_t Y);
    void clearSelection();
    void AddFilings(int32_t X, int32_t Y, int32_t N);

    // ---- properties ----
    bool AddCompassesMode() const { return FAddCompassesMode; }
    void SetAddCompassesMode(bool value) { FAddCompassesMode = value; }
    bool GravityON() const { return FGravityON; }
    void SetGravityON(bool value) { FGravityON = value; }
    bool HasFieldLines() const { return FHasFieldLines.load(); }
    void SetHasFieldLines(bool value) { FHasFieldLines.store(value); }
    bool HasFieldMap() const { return FHasFieldMap.load(); }
    void SetHasFieldMap(bool value) { FHasFieldMap.store(value); }
    bool HasGrid() const { return FHasGrid.load(); }
    void SetHasGrid(bool value) { FHasGrid.store(value); }
    bool HasIronFilings() const { return FHasIronFilings.load(); }
    void SetHasIronFilings(bool value) { FHasIronFilings.store(value); }
    bool HasUniformField() const { return FHasUniformField; }
    void SetHasUniformField(bool value) { FHasUniformField = value; }
    bool IsAddingFilings() const { return FIsAddingFilings.load(); }
    void SetIsAddingFilings(bool value) { FIsAddingFilings.store(value); }
    bool IsRemovingFilings() const { return FIsRemovingFilings.load(); }
    void SetIsRemovingFilings(bool value) { FIsRemovingFilings.store(value); }
    bool MouseDown() const { return FMouseDown; }
    void SetMouseDown(bool value) { FMouseDown = value; }
    bool MovementON() const { return FMovementON.load(); }
    void SetMovementON(bool value) { FMovementON.store(value); }
    bool OMouseDown() const { return FOMouseDown; }
    void SetOMouseDown(bool value) { FOMouseDown = value; }

    // The bin icons, handed over by the window right after creation; the bench owns them.
    void SetGarbageIcon(std::unique_ptr<TFastDIB> icon);
    void SetGarbageIconOpen(std::unique_ptr<TFastDIB> icon);
    const TFastDIB* GarbageIcon() const { return FGarbageIcon.get(); }
    const TFastDIB* GarbageIconOpen() const { return FGarbageIconOpen.get(); }

    // The millisecond tick the gestures and the bin delay read; the system clock by default.
    void SetTickSource(TTickSource source) { FTick = source; }
    uint32_t TickNow() const { return FTick.Now(); }

    // Read access for the frame loop, the window, the renderer's state dump and tests.
    const std::vector<std::unique_ptr<TExperimentalObject>>& Objects() const { return MO; }
    const std::vector<TPoint>& FilingPoints() const { return Filings; }
    TExperimentalObject* MouseSender() const { return FMouseSender; }
    bool NeedFocusRect() const { return FNeedFocusRect; }
    const TRect& FocusRect() const { return FFocusRect; }
    int32_t LastDrawnWidth() const { return FLastDrawnWidth; }
    int32_t LastDrawnHeight() const { return FLastDrawnHeight; }
    const std::array<int32_t, 1002>& RandonGridOFFSet() const { return FRandonGridOFFSet; }
    const std::array<double, 256>& IntensityLUT() const { return FIntensityLUT; }
    // Field caches, flat and column-major: cell [x][y] at index x * CacheHeight + y.
    const std::vector<TFieldLUT>& FullCache() const { return FullCacheFieldLUT; }
    const std::vector<TFieldLUT>& MoveCache() const { return MoveCacheFieldLUT; }
    int32_t FullCacheWidth() const { return FFullCacheWidth; }
    int32_t FullCacheHeight() const { return FFullCacheHeight; }
    int32_t MoveCacheWidth() const { return FMoveCacheWidth; }
    int32_t MoveCacheHeight() const { return FMoveCacheHeight; }
    // Forgets the full cache, so that the next frame builds it anew.
    void ClearFullCache();
    const TFastDIB* CompassMoveCache() const { return CompassMoveBMP.get(); }
    const TFastDIB* FilingsAddCache() const { return FilingsAddBMP.get(); }
    bool BinIconShown() const { return FBinIconShown; }
    int32_t BinLeft() const { return BinIconLeft; }
    int32_t BinTop() const { return BinIconTop; }
    bool IsOMouseBigMove() const { return OMouseBigMove; }

    int32_t ForceCalcCount = 0;    // motion steps run; diagnostic
    int32_t FullLUTBuildsCount = 0; // builds of the full cache; diagnostic

private:
    friend class TMagnetBenchTestAccess;

    // ---- helpers of the scene operations ----
    void AddSource(std::unique_ptr<TMagneticObject> source, int32_t X, int32_t Y, double Rotation);
    void BindCallbacks(TMagneticObject& source);
    TMagneticObject* FindUniformField() const;
    // The quick sum over every source, never through the move cache.
    void QuickSumOfAllSources(double x, double y, double& Fx, double& Fy);
    // Ends a press and forgets the grabbed object; called before objects are destroyed.
    void ForgetPress();
    // Takes one object off the bench and destroys it, forgetting it first if a press holds it.
    void RemoveObject(TExperimentalObject* object);

    // ---- motion phases (Motion.cpp), in the order DoMotionStep runs them ----
    // FMotionSources := the sources of MO in list order; refilled at the start of every step.
    void GatherMotionSources();
    // Forces to velocities, every force from the poses at the start of the step.
    void PreCalculateMotion(double ticks);
    // The fractional poses in sub-steps of at most one tick, with the collision test after each.
    void AdvanceAndCollide(double ticks);
    // The new poses, then the bench's edges.
    void ApplyMotion();

    // ---- frame composition (FrameComposition.cpp) ----
    void FillBackground(TFastDIB& BMP, TFColor Colour);
    void ComposeLayers(TFastDIB& BMP, bool Quick, bool HasFieldMap, bool HasFieldLines, bool HasGrid,
                       bool HasIronFilings);
    void BuildLayerCache(TFastDIB& BMP, std::unique_ptr<TFastDIB>& Cache, bool IncludeFilings);
    void PaintObjects(TFastDIB& BMP);
    void DrawBinIcon(TFastDIB& BMP);
    void DrawFocusRectangle(TFastDIB& BMP);

    // ---- visualisation layers (layers/) ----
    void DrawFieldLines(TFastDIB& BMP);
    void TraceFieldLine(TFastDIB& BMP, TMagneticObject* Owner, TSeedPoint& Seed);
    void DrawFilings(TFastDIB& BMP, bool Quick);
    void DrawFieldMap(TFastDIB& BMP, bool Quick);
    double FieldMagnitudeSquared(double x, double y);
    double FieldMagnitudeSquaredQuick(double x, double y);
    int IntensityIndex(double v) const;
    void DrawGrid(TFastDIB& BMP, bool Quick);
    void DrawGridStreak(TFastDIB& BMP, int32_t X, int32_t Y, int32_t N, bool Quick);

    // Scratch of the field-line tracer, kept from trace to trace so that tracing allocates
    // nothing per step; touched only by the thread that draws the frame. FLinePoints holds the
    // rounded points of the half-line being traced (room for 40 000 plus a loop's closing point);
    // FLineSources is the snapshot of the sources taken at the start of a trace, FLineCancelSeeds
    // the seeds that line may still cancel: the needed seeds of the other loop sources.
    std::vector<TPoint> FLinePoints;
    std::vector<TMagneticObject*> FLineSources;
    std::vector<TSeedPoint*> FLineCancelSeeds;
    // The traced points of every grid streak of a frame, a fixed slot per node, kept from frame to
    // frame. Used only inside DrawGrid: the pool's threads write the slots of one band of columns
    // while one of them reads the completed slots of the band before to draw them.
    std::vector<TPoint> FGridPoints;

    // ---- gestures (Gestures.cpp) ----
    void ApplyFilingsTool(int32_t X, int32_t Y, bool RightDown);

    // ---- fields, in declaration order ----
    TRect FFocusRect{};
    std::unique_ptr<TFastDIB> FGarbageIcon;
    std::unique_ptr<TFastDIB> FGarbageIconOpen;
    std::atomic<bool> FHasFieldLines{false};
    std::atomic<bool> FHasFieldMap{false};
    std::atomic<bool> FHasGrid{false};
    std::atomic<bool> FHasIronFilings{false};
    std::vector<std::unique_ptr<TExperimentalObject>> MO;
    std::vector<TPoint> Filings;
    int32_t FirstMouseX = 0;
    int32_t FirstMouseY = 0;
    std::atomic<bool> FIsAddingFilings{false};
    std::atomic<bool> FIsRemovingFilings{false};
    bool FMouseDown = false;
    TExperimentalObject* FMouseSender = nullptr; // not owned; always an element of MO or null
    int32_t FMouseX = 0;
    int32_t FMouseY = 0;
    bool FNeedFocusRect = false;
    bool FOMouseDown = false;
    bool FOMouseIsRotating = false;
    bool FSenderSelected = false;
    int32_t BinIconLeft = 0;
    int32_t BinIconTop = 0;
    std::unique_ptr<TFastDIB> CompassMoveBMP;
    bool FAddCompassesMode = false;
    bool FGravityON = false;
    bool FHasUniformField = false;
    std::unique_ptr<TFastDIB> FilingsAddBMP;
    std::array<int32_t, 1002> FRandonGridOFFSet{};
    std::array<double, 256> FIntensityLUT{};
    int32_t FLastDrawnHeight = 0;
    int32_t FLastDrawnWidth = 0;
    std::atomic<bool> FMovementON{false};
    bool FNeedUpdateForFocusRectangleWhenMoving = false;
    bool OMouseBigMove = false;
    uint32_t OMouseBigMoveStartT = 0;
    std::vector<TFieldLUT> FullCacheFieldLUT; // FFullCacheWidth columns of FFullCacheHeight cells
    std::vector<TFieldLUT> MoveCacheFieldLUT; // same shape as the full cache it was built from
    int32_t FFullCacheWidth = 0;
    int32_t FFullCacheHeight = 0;
    int32_t FMoveCacheWidth = 0;
    int32_t FMoveCacheHeight = 0;

    TTickSource FTick{};
    // Motion step state, used only inside DoMotionStep (the pointers are refilled at its start).
    std::vector<TMagneticObject*> FMotionSources;
    TOverlapBroadPhase FBroadPhase;
    // The broad phase never changes which pairs collide; tests switch it off to prove that.
    bool FOverlapBroadPhase = true;
    bool FBinIconShown = false; // whether the last frame showed the bin (for tests and the dump)
};
