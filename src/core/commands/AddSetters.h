#pragma once

#include "commands/BasePropertySetter.h"

// The commands that put one object on the bench, centred on (X, Y) in bench pixels. Positions are
// not clamped: an object may lie partly or wholly outside the work area.

// A bar magnet turned by Rotation radians (the buttons pass 0, the presets 0, pi or pi/2).
class TAddMagnetSetter : public TBaseAdder {
public:
    TAddMagnetSetter(int32_t X, int32_t Y, double Rotation);
    void DoAction(TMagnetBench& MB) override;

private:
    double FRotation = 0.0;
};

// A straight wire; Flipped reverses its current.
class TAddWireSetter : public TBaseAdder {
public:
    TAddWireSetter(int32_t X, int32_t Y, bool Flipped);
    void DoAction(TMagnetBench& MB) override;

private:
    bool FFlipped = false;
};

// A coil turned by Rotation radians.
class TAddSolonoidSetter : public TBaseAdder {
public:
    TAddSolonoidSetter(int32_t X, int32_t Y, double Rotation);
    void DoAction(TMagnetBench& MB) override;

private:
    double FRotation = 0.0;
};

// The motor, at rotation 0.
class TaddMotorSetter : public TBaseAdder {
public:
    using TBaseAdder::TBaseAdder;
    void DoAction(TMagnetBench& MB) override;
};

// A compass (presets only; the window's button switches compass-adding mode instead). A new
// compass changes no field, so it could be shown on the cached background.
class TAddCompassSetter : public TBaseAdder {
public:
    TAddCompassSetter(int32_t X, int32_t Y);
    void DoAction(TMagnetBench& MB) override;
};
