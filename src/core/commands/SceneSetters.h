#pragma once

#include "commands/BasePropertySetter.h"

// The commands that reset the scene, change its modes or its uniform field.

// Reset: an empty bench with one magnet centred on (X, Y) at rotation 0; every display switch and
// motion off.
class TClearToSingleMagnetSetter : public TBaseAdder {
public:
    using TBaseAdder::TBaseAdder;
    void DoAction(TMagnetBench& MB) override;
};

// An empty bench, every switch off.
class TClearAllSetter : public TBasePropertySetter {
public:
    void DoAction(TMagnetBench& MB) override;
};

// An empty bench showing the grid, with motion as given.
class TClearAllToGridOnlySetter : public TBasePropertySetter {
public:
    explicit TClearAllToGridOnlySetter(bool Movement) : FMovement(Movement) {}
    void DoAction(TMagnetBench& MB) override;

private:
    bool FMovement = false;
};

// An empty bench showing field lines, with motion as given.
class TClearAllToFieldLinesOnlySetter : public TBasePropertySetter {
public:
    explicit TClearAllToFieldLinesOnlySetter(bool Movement) : FMovement(Movement) {}
    void DoAction(TMagnetBench& MB) override;

private:
    bool FMovement = false;
};

// Removes every iron filing.
class TClearFilingsSetter : public TBasePropertySetter {
public:
    void DoAction(TMagnetBench& MB) override;
};

// Compass-adding mode on or off. The mode changes nothing on screen, so it asks for no frame.
class TCompassModeSetter : public TBasePropertySetter {
public:
    explicit TCompassModeSetter(bool State) : FState(State) {}
    void DoAction(TMagnetBench& MB) override;
    bool NeedsUpdate(const TMagnetBench& MB) override;

private:
    bool FState = false;
};

// Removes the uniform field if there is one, otherwise adds one of the given strength.
class TToggleUniformFieldSetter : public TBasePropertySetter {
public:
    explicit TToggleUniformFieldSetter(double FieldStrength) : FFieldStrength(FieldStrength) {}
    void DoAction(TMagnetBench& MB) override;

private:
    double FFieldStrength = 0.0;
};

// Adds a uniform field of the given strength unless the bench already has one, which then stays
// exactly as it is (strength and direction).
class TAddUniformFieldSetter : public TBasePropertySetter {
public:
    explicit TAddUniformFieldSetter(double FieldStrength) : FFieldStrength(FieldStrength) {}
    void DoAction(TMagnetBench& MB) override;

private:
    double FFieldStrength = 0.0;
};

// Reverses the uniform field, if there is one.
class TFlipUniformFieldSetter : public TBasePropertySetter {
public:
    void DoAction(TMagnetBench& MB) override;
};
