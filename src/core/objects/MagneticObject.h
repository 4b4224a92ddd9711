#pragma once

#include "objects/ExperimentalObject.h"

#include <vector>

// Base of every field source: bar magnet, wire, coil, motor and uniform field.
//
// Frames: a source's own frame has its origin at the source's centre (FCentreX, FCentreY) and is
// turned by FRotation radians; the local point (x, y) lies at the bench point
// (x cos - y sin + cx, x sin + y cos + cy). With y pointing down, a growing rotation turns the
// source clockwise on the screen.
//
// Invariants after every change of size, position or rotation: Width = Height = the rounded
// diagonal of the magnet rectangle; (FCentreX, FCentreY) is the centre of that square; FCos, FSin
// match FRotation, which lies in [0, 2 pi].
class TMagneticObject : public TExperimentalObject {
public:
    explicit TMagneticObject(TObjectKind kind);
    ~TMagneticObject() override = default;

    // --- field evaluation; every routine ADDS its contribution to (Fx, Fy) ---
    virtual void GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy) = 0;
    virtual void GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy);
    // GetCurrentFieldVectorQuick at (x, y) for every y in [y0, y1), added to column[y]. The same
    // operations as the per-point calls; kinds with a table override it to save the dispatch per
    // pixel in the cache builds.
    virtual void AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column);
    virtual void GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy) = 0;
    virtual void UpdateMagnetisation() {}

    // --- frame conversions (in place) ---
    void DoInRotation(double& X, double& Y) const;   // bench point -> local point
    void DoOutRotation(double& X, double& Y) const;  // local point -> bench point
    void DoRotation(double& X, double& Y) const;     // bench vector -> local vector
    void DoAntiRotation(double& X, double& Y) const; // local vector -> bench vector

    // --- geometry ---
    void BoundsChanged() override;
    virtual void RotationChanged() {}
    double Rotation() const { return FRotation; }
    // Normalises into [0, 2 pi] and calls RotationChanged when the value changed. Non-finite
    // values are ignored; huge ones are reduced before the normalising loop.
    void SetRotation(double value);
    int32_t MagWidth() const { return FMagWidth; }
    int32_t MagHeight() const { return FMagHeight; }
    void SetMagWidth(int32_t value);
    void SetMagHeight(int32_t value);
    void UpdateMagDimensions();
    double MagHalfWidth() const { return FMagHalfWidth; }
    double MagHalfHeight() const { return FMagHalfHeight; }
    double Cos() const { return FCos; }
    double Sin() const { return FSin; }

    double GetFieldStrength() const { return FFieldStrength; }
    void SetFieldStrength(double value);

    // --- motion (forces, integration, collisions) ---
    virtual void CalculateForce(double& Fx, double& Fy, double& Torque) = 0;
    virtual void CheckWithinBounds(int32_t MaxX, int32_t MaxY);
    virtual void DoMotionPreCalculation(bool GravityOn, double ticks);
    virtual bool CheckOverlap(TMagneticObject* MO);
    void DoMotionCalc(double ticks);
    void DoMotion();

    // --- field lines ---
    virtual void getSeedPoints(const TFastDIB& BMP) = 0;
    virtual bool IsInTheZone(TSeedPoint SeedPoint, double X, double Y) = 0;
    void ResetCulledLinesList();

    // --- properties ---
    const TNotifyEvent& OnChanged() const { return FOnChanged; }
    void SetOnChanged(TNotifyEvent value) { FOnChanged = std::move(value); }
    const TGetVectorMethod& GetOverallDipoleVector() const { return FGetOverallDipoleVector; }
    void SetGetOverallDipoleVector(TGetVectorMethod value) { FGetOverallDipoleVector = std::move(value); }
    const TGetVectorMethod& GetOverallCurrentVector() const { return FGetOverallCurrentVector; }
    void SetGetOverallCurrentVector(TGetVectorMethod value) { FGetOverallCurrentVector = std::move(value); }
    const TGetVectorMethod& GetSourcesCurrentVector() const { return FGetSourcesCurrentVector; }
    void SetGetSourcesCurrentVector(TGetVectorMethod value) { FGetSourcesCurrentVector = std::move(value); }

    double AngularVelocity() const { return FAngularVelocity; }
    void SetAngularVelocity(double value) { FAngularVelocity = value; }
    double VelocityX() const { return FVelocityX; }
    void SetVelocityX(double value) { FVelocityX = value; }
    double VelocityY() const { return FVelocityY; }
    void SetVelocityY(double value) { FVelocityY = value; }
    double LeftFloat() const { return FLeftFloat; }
    void SetLeftFloat(double value) { FLeftFloat = value; }
    double TopFloat() const { return FTopFloat; }
    void SetTopFloat(double value) { FTopFloat = value; }
    double RotationFloat() const { return FRotationFloat; }
    void SetRotationFloat(double value) { FRotationFloat = value; }
    double CentreX() const { return FCentreX; }
    void SetCentreX(double value) { FCentreX = value; }
    double CentreY() const { return FCentreY; }
    void SetCentreY(double value) { FCentreY = value; }
    bool IsUniformField() const { return FIsUniformField; }
    bool LinesAreLoops() const { return FLinesAreLoops; }
    bool IsMagneticSource() const { return FIsMagneticSource; }
    double Mass() const { return FMass; }
    double MomentOfInertia() const { return FMomentOfInertia; }
    double MassInv() const { return FMassInv; }
    double MomentOfInertiaInv() const { return FMomentOfInertiaInv; }
    // The direction of the current (conductors) or of the uniform field; false for a magnet.
    virtual bool Flipped() const { return false; }

    // Raises FOnChanged when it is bound.
    void RaiseOnChanged();

protected:
    // The scene's dipole-model field at the LOCAL point (lx, ly), turned into local axes: the
    // field every kind's forces are built from. Requires FGetOverallDipoleVector to be bound.
    void LocalDipoleField(double lx, double ly, double& Bx, double& By) const;

public:
protected:
    TNotifyEvent FOnChanged;
    TGetVectorMethod FGetOverallDipoleVector;
    double FFieldStrength = 100.0;
    int32_t FMagWidth = 0;
    int32_t FMagHeight = 0;
    double FMagHalfWidth = 0.0;
    double FMagHalfHeight = 0.0;
    double FPoleOffsetX = 0.0;
    double FPoleOffsetY = 0.0;
    double FRotation = 0.0;
    double FCos = 1.0;
    double FSin = 0.0;
    double FMass = 0.0;
    double FMomentOfInertia = 0.0;
    double FVelocityX = 0.0;     // pixels per tick
    double FAngularVelocity = 0.0; // radians per tick
    double FVelocityY = 0.0;     // pixels per tick
    double FMassInv = 0.0;
    double FMomentOfInertiaInv = 0.0;
    double FLeftFloat = 0.0;
    double FTopFloat = 0.0;
    double FRotationFloat = 0.0;
    TGetVectorMethod FGetOverallCurrentVector;
    double FCentreX = 0.0;
    double FCentreY = 0.0;
    bool FIsMagneticSource = false;
    TGetVectorMethod FGetSourcesCurrentVector;
    bool FIsUniformField = false;
    bool FLinesAreLoops = false;

public:
    double Damping = 0.95;       // velocity factor per tick
    double AngularDamping = 0.9; // angular-velocity factor per tick
    double density = 0.2;        // mass per square pixel of the magnet rectangle
    std::vector<TSeedPoint> Seeds;
    std::vector<TCulledPoint> LinesEndingHere;
    std::vector<TCulledPoint> LinesEndingExternally;
    double RotationHandleAngle = 0.0; // in the source's frame: pi for the magnet, +-pi/2 for coils
};

// The frame conversions are inline: the quick field models call them for every pixel.
inline void TMagneticObject::DoInRotation(double& X, double& Y) const
{
    const double x = X - FCentreX;
    const double y = Y - FCentreY;
    X = x * FCos + y * FSin;
    Y = -x * FSin + y * FCos;
}

inline void TMagneticObject::DoOutRotation(double& X, double& Y) const
{
    const double x = X;
    const double y = Y;
    X = x * FCos - y * FSin + FCentreX;
    Y = x * FSin + y * FCos + FCentreY;
}

inline void TMagneticObject::DoRotation(double& X, double& Y) const
{
    const double x = X;
    const double y = Y;
    X = FCos * x + FSin * y;
    Y = y * FCos - x * FSin;
}

inline void TMagneticObject::DoAntiRotation(double& X, double& Y) const
{
    const double x = X;
    const double y = Y;
    X = x * FCos - y * FSin;
    Y = x * FSin + y * FCos;
}
