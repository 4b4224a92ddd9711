#pragma once

#include "commands/BasePropertySetter.h"

#include <string>

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

// Writes the bench's field-lines switch, as the window does directly when a preset resets to
// field lines only; in the renderer it runs at its place in the batch.
class TSetFieldLinesSetter : public TBasePropertySetter {
public:
    explicit TSetFieldLinesSetter(bool Value) : FValue(Value) {}
    void DoAction(TMagnetBench& MB) override;

private:
    bool FValue = false;
};

// Stands for a preset in the parsed batch until the work area's size is known; then replaced by
// the preset's own commands (ExpandPresets). Never run.
class TPresetMarker : public TBasePropertySetter {
public:
    explicit TPresetMarker(std::string Caption) : FCaption(std::move(Caption)) {}
    void DoAction(TMagnetBench&) override {}
    const std::string& Caption() const { return FCaption; }

private:
    std::string FCaption;
};
