#pragma once

#include "objects/FieldTypes.h"
#include "raster/Color.h"

#include <cstdint>

class TFastDIB;
class TMagneticObject;
class TCompass;

// Base of everything that lies on the bench: an integer bounding box in bench pixels (x right,
// y down), a selection flag, and the operations through which the bench paints, hit-tests,
// double-clicks and grabs objects.
//
// Box coordinates are kept within +-MaxCoordinate by the setters, so that sums such as
// Left + Width or Left + 15 can never overflow 32 bits.
//
// Threads: an object is touched only by the thread that holds the bench at the time (the
// user-interface thread inside the frame loop's synchronized step, or the render thread while it
// draws); it has no lock of its own.
class TExperimentalObject {
public:
    static constexpr int32_t MaxCoordinate = 1 << 30;

    explicit TExperimentalObject(TObjectKind kind) : FKind(kind) {}
    virtual ~TExperimentalObject() = default;

    TExperimentalObject(const TExperimentalObject&) = delete;
    TExperimentalObject& operator=(const TExperimentalObject&) = delete;

    TObjectKind Kind() const { return FKind; }
    // The object as a field source, or nullptr for a compass. Cheap: used inside the field sums.
    TMagneticObject* AsMagnetic() { return FMagnetic; }
    const TMagneticObject* AsMagnetic() const { return FMagnetic; }
    bool IsMagnetic() const { return FMagnetic != nullptr; }
    bool IsCompass() const { return FKind == TObjectKind::Compass; }

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool Selected() const { return FSelected; }

    // Each setter stores a new value only when it differs (clamped to +-MaxCoordinate) and then
    // calls BoundsChanged once.
    void SetLeft(int32_t value);
    void SetTop(int32_t value);
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    // SetLeft, SetTop, SetWidth, SetHeight in this order.
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetSelected(bool value) { FSelected = value; }

    virtual void BoundsChanged() {}
    virtual void Paint(TFastDIB& BMP) = 0;
    virtual void DblClick() = 0;
    virtual bool IsInRotationButton(double x, double y);
    virtual bool CheckIsInside(double X, double Y) = 0;
    virtual bool CheckIsInsideFuture(double X, double Y) = 0;

    // Painting helpers shared by the kinds.
    // A filled disc of colour C centred at column X, row Y counted from the BOTTOM of BMP.
    static void DrawCircle(TFastDIB& BMP, int X, int Y, int R, TFColor C);
    // The round rotation handle centred at (X, Y), Y from the top.
    static void DrawHandle(TFastDIB& BMP, int X, int Y, TFColor C);
    static void FillSurface(TFastDIB& BMP, TFColor C);

protected:
    int32_t FHeight = 0;
    int32_t FLeft = 0;
    bool FSelected = false;
    int32_t FTop = 0;
    int32_t FWidth = 0;

    const TObjectKind FKind;
    TMagneticObject* FMagnetic = nullptr; // set by TMagneticObject's constructor
};
