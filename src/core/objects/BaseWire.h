#pragma once

#include "objects/FieldTables.h"
#include "objects/MagneticObject.h"
#include "support/Rounding.h"

// Common base of the conductors that carry a current perpendicular to the bench: the straight
// wire, the coil (two conductors with opposite currents) and the motor coil. One conductor's field
// at distance r is S * I / r^2 perpendicular to the offset, anticlockwise on the screen when not
// flipped, and zero closer than 7 pixels.
class TBaseWire : public TMagneticObject {
public:
    explicit TBaseWire(TObjectKind kind);

    double Current() const { return FCurrent; }
    void SetCurrent(double value) { FCurrent = value; }
    bool IsFlipped() const { return FIsFlipped; }
    void SetIsFlipped(bool value) { FIsFlipped = value; }
    bool Flipped() const override { return FIsFlipped; }

    // The table field of one conductor at local (sx, sy), evaluated at the bench point (X, Y).
    virtual void GetCurrentFieldVectorQuickSingle(double sx, double sy, double X, double Y, double& Fx, double& Fy,
                                                  bool IsFlippedWire);
    // 200 times the exact field, nothing inside the object.
    void GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy) override;
    void DblClick() override;

    // Draws the red plus disc or the blue minus disc centred at (X, Y), Y from the top.
    static void DrawPlusSign(TFastDIB& BMP, double X, double Y);
    static void DrawMinusSign(TFastDIB& BMP, double X, double Y);

protected:
    // The body of GetCurrentFieldVectorQuickSingle, inlined where the kinds call it per pixel.
    void QuickSingleAt(double sx, double sy, double X, double Y, double& Fx, double& Fy, bool IsFlippedWire) const
    {
        DoInRotation(X, Y);
        DoRotation(Fx, Fy);
        const double dx = X - sx;
        const double dy = Y - sy;
        const int i = TableIndex(dx);
        const int j = TableIndex(dy);
        const double s = IsFlippedWire ? -1.0 : 1.0;
        const TFieldLUT& e = WireFieldLUTCell(i, j);
        if (dy >= 0.0) {
            Fx = Fx + s * e.x;
        } else {
            Fx = Fx - s * e.x;
        }
        if (dx >= 0.0) {
            Fy = Fy + s * e.y;
        } else {
            Fy = Fy - s * e.y;
        }
        DoAntiRotation(Fx, Fy);
    }

    // The exact field of one conductor at local (sx, sy) with direction +-1, at local (X, Y),
    // in local axes.
    void AddLineCurrentField(double& Fx, double& Fy, double sx, double sy, double X, double Y, int Direction) const;
    int DirectionSign() const { return FIsFlipped ? -1 : 1; }

    double FCurrent = 10.0;
    bool FIsFlipped = false;
};
