#include "MotionReference.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwoPiDouble = 6.283185307179586;
// pi/2 and 3 pi/2 held more precisely than a double, for the motor's commutator.
constexpr long double HalfPiLong = 1.570796326794896619231321691639751442L;
constexpr long double ThreeHalvesPiLong = 4.712388980384689857693965074919254326L;

// S = 100 for every source, I = 10 for every conductor.
constexpr double Strength = 100.0;
constexpr double Current = 10.0;

TRefSource MakeSource(TRefKind kind, int32_t magWidth, int32_t magHeight)
{
    TRefSource s;
    s.Kind = kind;
    s.MagWidth = magWidth;
    s.MagHeight = magHeight;
    s.HalfWidth = magWidth * 0.5;
    s.HalfHeight = magHeight * 0.5;
    const int32_t sumOfSquares = magWidth * magWidth + magHeight * magHeight;
    const float diagonal = static_cast<float>(std::sqrt(static_cast<double>(sumOfSquares)));
    s.Size = static_cast<int32_t>(std::nearbyint(static_cast<double>(diagonal)));
    const double mass = static_cast<double>(magWidth * magHeight) * 0.2;
    const double inertia = static_cast<double>(sumOfSquares) * mass * 0.083333333333;
    s.MassInv = mass > 0.0 ? 1.0 / mass : 0.0;
    s.InertiaInv = inertia > 0.0 ? 1.0 / inertia : 0.0;
    return s;
}

void SetRotation(TRefSource& s, double value)
{
    if (value == s.Rotation) {
        return;
    }
    s.Rotation = value;
    while (s.Rotation > TwoPiDouble) {
        s.Rotation = s.Rotation - TwoPiDouble;
    }
    while (s.Rotation < 0.0) {
        s.Rotation = s.Rotation + TwoPiDouble;
    }
    s.Cos = std::cos(s.Rotation);
    s.Sin = std::sin(s.Rotation);
    if (s.Kind == TRefKind::Motor) {
        const long double r = s.Rotation;
        s.Flipped = r > HalfPiLong && r < ThreeHalvesPiLong;
    }
}

// What every box setter does after a change: the fractional position survives only while it
// still rounds to the box; then the centre follows the box.
void AfterBoxChange(TRefSource& s)
{
    if (std::nearbyint(s.LeftFloat) != s.Left) {
        s.LeftFloat = s.Left;
    }
    if (std::nearbyint(s.TopFloat) != s.Top) {
        s.TopFloat = s.Top;
    }
    s.CentreX = s.Left + s.Size * 0.5;
    s.CentreY = s.Top + s.Size * 0.5;
}

// Left, then Top, each only when it changes (the size never changes here).
void SetBox(TRefSource& s, int32_t left, int32_t top)
{
    if (left != s.Left) {
        s.Left = left;
        AfterBoxChange(s);
    }
    if (top != s.Top) {
        s.Top = top;
        AfterBoxChange(s);
    }
}

void Place(TRefSource& s, int32_t x, int32_t y)
{
    s.Top = y - s.Size / 2;
    s.Left = x - s.Size / 2;
    s.TopFloat = s.Top;
    s.LeftFloat = s.Left;
    s.CentreX = s.Left + s.Size * 0.5;
    s.CentreY = s.Top + s.Size * 0.5;
}

// Bench point to local point, local point to bench point, and the two vector turns.
void ToLocalPoint(const TRefSource& s, double& x, double& y)
{
    const double dx = x - s.CentreX;
    const double dy = y - s.CentreY;
    x = dx * s.Cos + dy * s.Sin;
    y = -dx * s.Sin + dy * s.Cos;
}

void ToBenchPoint(const TRefSource& s, double& x, double& y)
{
    const double lx = x;
    const double ly = y;
    x = lx * s.Cos - ly * s.Sin + s.CentreX;
    y = lx * s.Sin + ly * s.Cos + s.CentreY;
}

void ToLocalVector(const TRefSource& s, double& x, double& y)
{
    const double vx = x;
    const double vy = y;
    x = s.Cos * vx + s.Sin * vy;
    y = vy * s.Cos - vx * s.Sin;
}

void ToBenchVector(const TRefSource& s, double& x, double& y)
{
    const double vx = x;
    const double vy = y;
    x = vx * s.Cos - vy * s.Sin;
    y = vx * s.Sin + vy * s.Cos;
}

bool InsideNow(const TRefSource& s, double x, double y)
{
    switch (s.Kind) {
    case TRefKind::Magnet:
    case TRefKind::Coil:
    case TRefKind::Motor: {
        ToLocalPoint(s, x, y);
        const bool inBox = -s.HalfWidth <= x && x <= s.HalfWidth && -s.HalfHeight <= y && y <= s.HalfHeight;
        if (s.Kind == TRefKind::Motor) {
            return inBox || x * x + y * y < 225.0;
        }
        return inBox;
    }
    case TRefKind::Wire: {
        const double dx = x - (s.Left + s.Size * 0.5);
        const double dy = y - (s.Top + s.Size * 0.5);
        return dx * dx + dy * dy <= 56.25;
    }
    case TRefKind::Uniform:
        return false;
    }
    return false;
}

bool InsideFuture(const TRefSource& s, double x, double y)
{
    const double dx = x - (s.LeftFloat + s.Size * 0.5);
    const double dy = y - (s.TopFloat + s.Size * 0.5);
    switch (s.Kind) {
    case TRefKind::Magnet:
    case TRefKind::Coil:
    case TRefKind::Motor: {
        const double lx = dx * s.Cos + dy * s.Sin;
        const double ly = -dx * s.Sin + dy * s.Cos;
        return -s.HalfWidth <= lx && lx <= s.HalfWidth && -s.HalfHeight <= ly && ly <= s.HalfHeight;
    }
    case TRefKind::Wire:
        return dx * dx + dy * dy <= 56.25;
    case TRefKind::Uniform:
        return false;
    }
    return false;
}

// One straight conductor at local (sx, sy), direction +-1, at local (x, y): S I (dy, -dx) / r^3.
void AddConductor(double& fx, double& fy, double sx, double sy, double x, double y, int direction)
{
    const double f = (y - sy) * direction;
    const double g = -(x - sx) * direction;
    const double r = std::sqrt(f * f + g * g);
    if (r >= 7.0) {
        const double k = Strength * Current / (r * r * r);
        fx = fx + k * f;
        fy = fy + k * g;
    }
}

// One point pole of charge q at local (px, py), inverse square.
void AddPole(double& fx, double& fy, double px, double py, double x, double y, double q)
{
    const double k = Strength * q * 10000.0;
    const double d2 = (px - x) * (px - x) + (py - y) * (py - y);
    const double r3 = std::sqrt(d2) * d2;
    const double f = r3 > 1e-8 ? k / r3 : 0.0;
    fx = fx + (x - px) * f;
    fy = fy + (y - py) * f;
}

// Adds the dipole-model field of s at the bench point (x, y).
void AddDipoleField(const TRefSource& s, double x, double y, double& fx, double& fy)
{
    if (InsideNow(s, x, y)) {
        return;
    }
    switch (s.Kind) {
    case TRefKind::Magnet: {
        ToLocalPoint(s, x, y);
        ToLocalVector(s, fx, fy);
        const double b = 0.75 * s.HalfHeight;
        AddPole(fx, fy, 0.0, -b, x, y, 1.0);
        AddPole(fx, fy, 0.0, b, x, y, -1.0);
        ToBenchVector(s, fx, fy);
        return;
    }
    case TRefKind::Wire: {
        double gx = 0.0;
        double gy = 0.0;
        AddConductor(gx, gy, 0.0, 0.0, x - s.CentreX, y - s.CentreY, s.Flipped ? -1 : 1);
        fx = fx + 200.0 * gx;
        fy = fy + 200.0 * gy;
        return;
    }
    case TRefKind::Coil:
    case TRefKind::Motor: {
        double gx = 0.0;
        double gy = 0.0;
        ToLocalPoint(s, x, y);
        ToLocalVector(s, gx, gy);
        const double a = s.HalfWidth - 7.5;
        const int d = s.Flipped ? -1 : 1;
        AddConductor(gx, gy, a, 0.0, x, y, d);
        AddConductor(gx, gy, -a, 0.0, x, y, -d);
        ToBenchVector(s, gx, gy);
        fx = fx + 200.0 * gx;
        fy = fy + 200.0 * gy;
        return;
    }
    case TRefKind::Uniform: {
        double gx = 0.0;
        const double gy = 0.0;
        gx = s.Flipped ? gx - s.UniformStrength : gx + s.UniformStrength;
        fx = fx + 400.0 * gx;
        fy = fy + 400.0 * gy;
        return;
    }
    }
}

void DipoleSum(const std::vector<TRefSource>& sources, double x, double y, double& fx, double& fy)
{
    fx = 0.0;
    fy = 0.0;
    for (const TRefSource& s : sources) {
        AddDipoleField(s, x, y, fx, fy);
    }
}

// The field at a local point of s, in the local axes of s.
void LocalField(const std::vector<TRefSource>& sources, const TRefSource& s, double lx, double ly, double& bx,
                double& by)
{
    ToBenchPoint(s, lx, ly);
    DipoleSum(sources, lx, ly, bx, by);
    ToLocalVector(s, bx, by);
}

void Force(const std::vector<TRefSource>& sources, const TRefSource& s, double& fx, double& fy, double& torque)
{
    fx = 0.0;
    fy = 0.0;
    torque = 0.0;
    double bx = 0.0;
    double by = 0.0;
    switch (s.Kind) {
    case TRefKind::Magnet: {
        const double hh = s.HalfHeight;
        LocalField(sources, s, 0.0, 0.8 * hh, bx, by); // south end
        fx = fx - bx;
        fy = fy - by;
        torque = torque + hh * bx;
        LocalField(sources, s, 0.0, -0.8 * hh, bx, by); // north end
        fx = fx + bx;
        fy = fy + by;
        torque = torque + hh * bx;
        break;
    }
    case TRefKind::Wire: {
        const double k = s.Flipped ? -1.0 : 1.0;
        LocalField(sources, s, 0.0, 0.0, bx, by);
        fx = k * by / 30.0;
        fy = -k * bx / 30.0;
        break;
    }
    case TRefKind::Coil:
    case TRefKind::Motor: {
        const double a = s.HalfWidth - 7.5;
        const double hw = s.HalfWidth;
        double k = s.Flipped ? -1.0 : 1.0;
        LocalField(sources, s, -a, 0.0, bx, by);
        double t = k * bx / 20.0;
        fx = fx + k * by / 20.0;
        fy = fy - t;
        torque = torque - hw * t;
        k = -k;
        LocalField(sources, s, a, 0.0, bx, by);
        t = k * bx / 20.0;
        fx = fx + k * by / 20.0;
        fy = fy - t;
        torque = torque + hw * t;
        break;
    }
    case TRefKind::Uniform:
        return;
    }
    ToBenchVector(s, fx, fy);
    if (s.Kind == TRefKind::Motor) {
        fx = 0.0;
        fy = 0.0;
    }
}

// A's border samples at A's start pose against B's fractional position; on a hit both stop dead
// on their boxes. Returns whether they collided.
bool Collide(TRefSource& a, TRefSource& b)
{
    if (a.MagWidth == 0 || a.MagHeight == 0) {
        return false;
    }
    const int32_t w = a.MagWidth;
    const int32_t h = a.MagHeight;
    struct TSample {
        int32_t X;
        int32_t Y;
    };
    std::vector<TSample> samples;
    for (int32_t x = (-w) / 2; x <= w / 2; ++x) {
        samples.push_back({x, h / 2});
    }
    for (int32_t x = (-w) / 2; x <= w / 2; ++x) {
        samples.push_back({x, (-h) / 2});
    }
    for (int32_t y = (-h) / 2; y <= h / 2; ++y) {
        samples.push_back({(-w) / 2, y});
    }
    for (int32_t y = (-h) / 2; y <= h / 2; ++y) {
        samples.push_back({w / 2, y});
    }
    const bool hit = std::any_of(samples.begin(), samples.end(), [&](const TSample& sample) {
        double x = sample.X;
        double y = sample.Y;
        ToBenchPoint(a, x, y);
        return InsideFuture(b, x, y);
    });
    if (!hit) {
        return false;
    }
    for (TRefSource* s : {&b, &a}) {
        s->VelocityY = 0.0;
        s->VelocityX = 0.0;
        s->AngularVelocity = 0.0;
        s->RotationFloat = s->Rotation;
        s->LeftFloat = s->Left;
        s->TopFloat = s->Top;
    }
    return true;
}

void KeepOnBench(TRefSource& s, int32_t maxX, int32_t maxY)
{
    int32_t left = s.Left;
    int32_t top = s.Top;
    if (s.CentreX < 0.0) {
        left = (-s.Size) / 2;
    }
    if (s.CentreX > maxX) {
        left = maxX - s.Size / 2;
    }
    if (s.CentreY < 0.0) {
        top = (-s.Size) / 2;
    }
    if (s.CentreY > maxY) {
        top = maxY - s.Size / 2;
    }
    SetBox(s, left, top);
}

} // namespace

void TReferenceScene::AddMagnet(int32_t X, int32_t Y, double Rotation)
{
    TRefSource s = MakeSource(TRefKind::Magnet, 30, 120);
    Place(s, X, Y);
    SetRotation(s, Rotation);
    Sources.push_back(s);
}

void TReferenceScene::AddWire(int32_t X, int32_t Y, bool Flipped)
{
    TRefSource s = MakeSource(TRefKind::Wire, 15, 15);
    s.Flipped = Flipped;
    Place(s, X, Y);
    Sources.push_back(s);
}

void TReferenceScene::AddCoil(int32_t X, int32_t Y, double Rotation)
{
    TRefSource s = MakeSource(TRefKind::Coil, 200, 15);
    s.Damping = 0.3;
    s.AngularDamping = 0.991;
    SetRotation(s, -1.5707963267948966);
    Place(s, X, Y);
    SetRotation(s, Rotation);
    Sources.push_back(s);
}

void TReferenceScene::AddMotor(int32_t X, int32_t Y)
{
    // Whatever the random start, the bench turns a new motor to 0: normal current.
    TRefSource s = MakeSource(TRefKind::Motor, 200, 15);
    s.Damping = 0.3;
    s.AngularDamping = 0.995;
    Place(s, X, Y);
    Sources.push_back(s);
}

void TReferenceScene::AddUniformField(double Strength, bool Flipped)
{
    TRefSource s;
    s.Kind = TRefKind::Uniform;
    s.UniformStrength = Strength;
    s.Flipped = Flipped;
    Sources.push_back(s);
}

void TReferenceScene::SetBenchSize(int32_t Width, int32_t Height)
{
    FBenchWidth = Width;
    FBenchHeight = Height;
}

void TReferenceScene::Step(double Ticks)
{
    // Forces to velocities, all from the start poses (a force reads no velocity and no
    // fractional pose, so updating in place is safe).
    for (TRefSource& s : Sources) {
        double fx = 0.0;
        double fy = 0.0;
        double torque = 0.0;
        Force(Sources, s, fx, fy, torque);
        if (s.VelocityX == 0.0 && fx * fx + fy * fy < 1e-4 * 1e-4 && s.VelocityY == 0.0 && s.AngularVelocity == 0.0 &&
            std::fabs(torque) < 1e-4) {
            fx = 0.0;
            fy = 0.0;
            torque = 0.0;
        }
        const double kd = std::pow(s.Damping, Ticks);
        s.VelocityX = s.VelocityX * kd + fx * s.MassInv * Ticks;
        s.VelocityY = s.VelocityY * kd + fy * s.MassInv * Ticks;
        const double ka = std::pow(s.AngularDamping, Ticks);
        s.AngularVelocity = ka * s.AngularVelocity + torque * s.InertiaInv * Ticks;
        if (std::fabs(s.VelocityX) < 0.002) {
            s.VelocityX = 0.0;
        }
        if (std::fabs(s.VelocityY) < 0.002) {
            s.VelocityY = 0.0;
        }
        if (std::fabs(s.AngularVelocity) < 1.7483333333e-6) {
            s.AngularVelocity = 0.0;
        }
        s.RotationFloat = s.Rotation;
    }

    for (double rem = Ticks; !(rem < 0.0); rem = rem - 1.0) {
        const double part = rem < 1.0 ? rem : 1.0;
        for (TRefSource& s : Sources) {
            s.RotationFloat = s.RotationFloat + s.AngularVelocity * part;
            s.LeftFloat = s.LeftFloat + s.VelocityX * part;
            s.TopFloat = s.TopFloat + s.VelocityY * part;
        }
        for (size_t i = 0; i < Sources.size(); ++i) {
            for (size_t j = i + 1; j < Sources.size(); ++j) {
                Collisions += Collide(Sources[i], Sources[j]);
            }
        }
    }

    for (TRefSource& s : Sources) {
        SetRotation(s, s.RotationFloat);
        SetBox(s, static_cast<int32_t>(std::nearbyint(s.LeftFloat)), static_cast<int32_t>(std::nearbyint(s.TopFloat)));
    }
    if (FBenchWidth > 0 && FBenchHeight > 0) {
        for (TRefSource& s : Sources) {
            KeepOnBench(s, FBenchWidth, FBenchHeight);
        }
    }
}
