#pragma once

#include "commands/BasePropertySetter.h"

// Commands of the renderer's own, so that its scene options that are not commands of the window
// still run inside the one batch, in command-line order.

// Turns the last object on the bench (the motor just added) to Rotation through its rotation
// setter, then lets the compasses follow. Does nothing when the last object is not a source.
class TTurnLastSourceSetter : public TBasePropertySetter {
public:
    explicit TTurnLastSourceSetter(double Rotation) : FRotation(Rotation) {}
    void DoAction(TMagnetBench& MB) override;

private:
    double FRotation = 0.0;
};

// The bench's AddFilings(X, Y, 5): five filings around (X, Y). Switches nothing on.
class TAddFilingsSetter : public TBaseAdder {
public:
    using TBaseAdder::TBaseAdder;
    void DoAction(TMagnetBench& MB) override;
};
