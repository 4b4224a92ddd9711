// What the pointer does on the bench: grab and select, drag the selection, turn sources by a
// handle, draw a rubber band, drop into the bin, double-click, place compasses, paint and erase
// filings. Every operation runs as a command in the user-interface thread, inside the frame loop's
// synchronized step, in the order the platform delivered the events.
#include "bench/MagnetBench.h"

#include "objects/ExperimentalObject.h"
#include "objects/MagneticObject.h"
#include "raster/FastDIB.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int64_t SquaredDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int64_t dx = static_cast<int64_t>(x1) - x2;
    const int64_t dy = static_cast<int64_t>(y1) - y2;
    return dx * dx + dy * dy;
}

// a + b - c in 64 bits, clamped to the 32-bit range (the box setters then keep it within +-2^30).
int32_t Shifted(int32_t a, int32_t b, int32_t c)
{
    const int64_t v = static_cast<int64_t>(a) + b - c;
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

void TMagnetBench::clearSelection()
{
    for (const auto& object : MO) {
        object->SetSelected(false);
    }
}

void TMagnetBench::ApplyFilingsTool(int32_t X, int32_t Y, bool RightDown)
{
    const bool adding = FIsAddingFilings;
    const bool removing = FIsRemovingFilings;
    if ((adding && !RightDown) || (removing && RightDown)) {
        AddFilings(X, Y, 5);
    } else if ((removing && !RightDown) || (adding && RightDown)) {
        // Erase every filing closer than 10 pixels; the last ones fill the gaps.
        size_t i = 0;
        while (i < Filings.size()) {
            if (SquaredDistance(Filings[i].X, Filings[i].Y, X, Y) < 100) {
                Filings[i] = Filings.back();
                Filings.pop_back();
            } else {
                ++i;
            }
        }
    }
}

void TMagnetBench::PaintBox1MouseDown(int32_t X, int32_t Y, bool HasRightDown, bool HasCtrlDown)
{
    FMouseSender = nullptr;
    FMouseX = X;
    FMouseY = Y;
    OMouseBigMove = false;
    FNeedFocusRect = false;

    // The last object in list order that contains the point wins, whatever its kind.
    for (const auto& object : MO) {
        if (object->CheckIsInside(X, Y)) {
            FMouseSender = object.get();
        }
    }

    if (FMouseSender != nullptr) {
        FirstMouseX = X;
        FirstMouseY = Y;
        FOMouseDown = true;
        FSenderSelected = false;
        FOMouseIsRotating = false;
        if (!FMouseSender->Selected()) {
            if (!HasCtrlDown) {
                clearSelection();
            }
            FMouseSender->SetSelected(true);
            FSenderSelected = true;
        }
        // For a coil the handle test also picks which end is the handle.
        if (FMouseSender->IsMagnetic() && FMouseSender->IsInRotationButton(X, Y)) {
            FOMouseIsRotating = true;
        }
        if (FMouseSender->IsMagnetic() && !FMovementON) {
            BuildMoveCacheFieldLUT();
        }
        return;
    }

    clearSelection();
    FMouseDown = true;
    if (FAddCompassesMode) {
        AddCompass(X, Y);
    } else if (FIsAddingFilings || FIsRemovingFilings) {
        ApplyFilingsTool(X, Y, HasRightDown);
    }
}

void TMagnetBench::PaintBox1MouseMove(int32_t X, int32_t Y, bool HasRightDown)
{
    if (FMouseSender == nullptr) {
        if (FAddCompassesMode) {
            return;
        }
        const bool filingsMode = FIsAddingFilings || FIsRemovingFilings;
        if (filingsMode && FMouseDown) {
            // FMouseX, FMouseY keep the press point during such a gesture.
            if (SquaredDistance(FMouseX, FMouseY, X, Y) > 2) {
                ApplyFilingsTool(X, Y, HasRightDown);
            }
            return;
        }
        if (FMouseDown && !filingsMode) {
            // Rubber band: select exactly the objects whose boxes lie strictly inside.
            const int64_t left = std::min(X, FMouseX);
            const int64_t right = std::max(X, FMouseX);
            const int64_t top = std::min(Y, FMouseY);
            const int64_t bottom = std::max(Y, FMouseY);
            for (const auto& object : MO) {
                const int64_t l = object->Left();
                const int64_t t = object->Top();
                object->SetSelected(l > left && l + object->Width() < right && t > top && t + object->Height() < bottom);
            }
            if (!FNeedFocusRect) {
                FNeedUpdateForFocusRectangleWhenMoving = true;
            }
            FNeedFocusRect = true;
            FFocusRect = TRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                               static_cast<int32_t>(bottom)};
        }
        return;
    }

    if (!FOMouseDown) {
        return; // the press that grabbed an object has already been released
    }

    if (!FOMouseIsRotating) {
        for (const auto& object : MO) {
            if (object->Selected()) {
                object->SetLeft(Shifted(object->Left(), X, FMouseX));
                object->SetTop(Shifted(object->Top(), Y, FMouseY));
            }
        }
    } else {
        // Turn the grabbed source so that its handle points at the pointer, and every other
        // selected source by the same angle about its own centre. Angles are measured from the
        // downward y axis towards +x.
        TMagneticObject* grabbed = FMouseSender->AsMagnetic();
        const double dx = X - grabbed->CentreX();
        const double dy = Y - grabbed->CentreY();
        double phi;
        if (dy == 0.0) {
            phi = dx > 0.0 ? Pi / 2.0 : -Pi / 2.0;
        } else {
            phi = std::atan2(dx, dy);
        }
        const double delta = (grabbed->RotationHandleAngle - phi) - grabbed->Rotation();
        for (const auto& object : MO) {
            TMagneticObject* source = object->AsMagnetic();
            if (source != nullptr && source->Selected()) {
                source->SetRotation(source->Rotation() + delta);
            }
        }
    }
    FMouseX = X;
    FMouseY = Y;
    if (!OMouseBigMove && SquaredDistance(X, Y, FirstMouseX, FirstMouseY) > 10) {
        OMouseBigMove = true;
        OMouseBigMoveStartT = FTick.Now();
    }
    CalculateCompass();
}

void TMagnetBench::PaintBox1MouseUp(int32_t X, int32_t Y, bool HasShiftDown)
{
    if (FMouseSender == nullptr) {
        // A rubber band's selection stays.
        FMouseDown = false;
        FNeedFocusRect = false;
        return;
    }
    FMouseX = X;
    FMouseY = Y;
    if (!FOMouseDown) {
        return;
    }
    // A work area too small to hold the bin has no drop area.
    const bool binFits = BinIconLeft >= 0 && BinIconTop >= 0;
    if (binFits && X > BinIconLeft && Y > BinIconTop) {
        // Into the bin: every selected object leaves the bench, whether or not the bin was shown.
        for (size_t i = MO.size(); i-- > 0;) {
            if (MO[i]->Selected()) {
                RemoveObject(MO[i].get());
            }
        }
        CalculateCompass();
    } else if (SquaredDistance(X, Y, FirstMouseX, FirstMouseY) < 3 && HasShiftDown && !FSenderSelected) {
        // A shift-click on an object that was already selected takes it out of the selection.
        FMouseSender->SetSelected(false);
    }
    FOMouseDown = false;
    CompassMoveBMP.reset();
    OMouseBigMove = false;
}

void TMagnetBench::DoDoubleClick(int32_t X, int32_t Y)
{
    // The first source in list order that contains the point; compasses are never double-clicked.
    for (const auto& object : MO) {
        if (object->IsMagnetic() && object->CheckIsInside(X, Y)) {
            object->DblClick();
            return;
        }
    }
}
