#pragma once

// An independent model of the motion step, written from the description of the physics and not
// from the bench's code: plain records, one switch per kind, no virtual dispatch and none of the
// core's helpers. Tests run a bench and this model side by side on the same scene and compare
// every motion quantity bit for bit. It knows only what motion needs: the dipole models, the
// forces, the future inside tests, the fractional pose and the box setters' reset of it.

#include <cstdint>
#include <vector>

enum class TRefKind { Magnet, Wire, Coil, Motor, Uniform };

struct TRefSource {
    TRefKind Kind = TRefKind::Magnet;
    // Magnet rectangle, pixels.
    int32_t MagWidth = 0;
    int32_t MagHeight = 0;
    double HalfWidth = 0.0;
    double HalfHeight = 0.0;
    // Box: a square of side Size, the rounded diagonal of the rectangle.
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Size = 0;
    double CentreX = 0.0;
    double CentreY = 0.0;
    // Rotation in [0, 2 pi] with its cosine and sine.
    double Rotation = 0.0;
    double Cos = 1.0;
    double Sin = 0.0;
    double MassInv = 0.0;
    double InertiaInv = 0.0;
    double Damping = 0.95;
    double AngularDamping = 0.9;
    // Motion state: pixels and radians per tick, the fractional pose.
    double VelocityX = 0.0;
    double VelocityY = 0.0;
    double AngularVelocity = 0.0;
    double LeftFloat = 0.0;
    double TopFloat = 0.0;
    double RotationFloat = 0.0;
    bool Flipped = false;
    double UniformStrength = 0.0; // B0 of the uniform field
};

class TReferenceScene {
public:
    // The same placements as the bench's add operations: the box centred on (X, Y).
    void AddMagnet(int32_t X, int32_t Y, double Rotation);
    void AddWire(int32_t X, int32_t Y, bool Flipped);
    void AddCoil(int32_t X, int32_t Y, double Rotation);
    void AddMotor(int32_t X, int32_t Y);
    void AddUniformField(double Strength, bool Flipped);
    // The last drawn frame size; 0 x 0 (never drawn) skips the edges.
    void SetBenchSize(int32_t Width, int32_t Height);
    // One motion step of the given length in ticks.
    void Step(double Ticks);

    std::vector<TRefSource> Sources;
    // Pairs found colliding so far, counted once per sub-step.
    int Collisions = 0;

private:
    int32_t FBenchWidth = 0;
    int32_t FBenchHeight = 0;
};
