#pragma once

#include "commands/BasePropertySetter.h"

// The pointer events of the work area, one command per event, queued in the order of the events.

// A press: starts a gesture (grab, rubber band, compass, filings).
class TMouseDownSetter : public TMouseSetter {
public:
    using TMouseSetter::TMouseSetter;
    void DoAction(TMagnetBench& MB) override;
};

// A pointer move. Every move over the work area queues one, pressed or not; only a move during a
// press asks for a frame.
class TMouseMoveSetter : public TMouseSetter {
public:
    using TMouseSetter::TMouseSetter;
    void DoAction(TMagnetBench& MB) override;
    bool NeedsUpdate(const TMagnetBench& MB) override;
};

// A release: ends the gesture (drop, bin, selection).
class TMouseUpSetter : public TMouseSetter {
public:
    using TMouseSetter::TMouseSetter;
    void DoAction(TMagnetBench& MB) override;
};

// A double click at the last pointer position the window recorded: reverses a source.
class TDoubleClickSetter : public TBaseAdder {
public:
    using TBaseAdder::TBaseAdder;
    void DoAction(TMagnetBench& MB) override;
};
