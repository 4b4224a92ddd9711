#pragma once

#include <functional>

class TExperimentalObject;

// One field vector in the system's own units, two doubles; the cell of every field table.
struct TFieldLUT {
    double x = 0.0;
    double y = 0.0;
};
static_assert(sizeof(TFieldLUT) == 16, "a field cell is two doubles");

// A bound field routine: takes a bench point (x, y) and adds to, or for the bench's sums sets,
// (Fx, Fy).
using TGetVectorMethod = std::function<void(double x, double y, double& Fx, double& Fy)>;

// A notification with its sender.
using TNotifyEvent = std::function<void(TExperimentalObject* Sender)>;

// The kinds of bench object, for the bench's kind tests and for the state dump.
enum class TObjectKind {
    Magnet,
    Wire,
    Coil,
    Motor,
    UniformField,
    Compass,
};

// The seed of a field line (bench pixels).
struct TSeedPoint {
    double X = 0.0;
    double Y = 0.0;
    bool flip = false;   // trace against the field
    bool Needed = false; // still to be traced
    bool IsLoop = false; // closed loop: fine step and the closing test
};

// One recorded end of a magnet line (bench pixels).
struct TCulledPoint {
    double X = 0.0;
    double Y = 0.0;
    bool Needed = false;
};

// 2 pi as the double the rotation setter subtracts and adds.
constexpr double TwoPi = 6.283185307179586;
constexpr double Pi = 3.141592653589793;
