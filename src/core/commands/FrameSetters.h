#pragma once

#include "commands/BasePropertySetter.h"

// The commands that change nothing on the bench and only tell the frame loop what to do.

// Asks for a new frame; with aUseDoubleBuffer, drawn into a fresh surface of the work area's size
// (the window queues that when the work area no longer matches the shared surface).
class TUpdateSetter : public TBasePropertySetter {
public:
    explicit TUpdateSetter(bool aUseDoubleBuffer) { FUseDoubleBuffer = aUseDoubleBuffer; }
    void DoAction(TMagnetBench&) override {}
};

// Puts the frame on screen on the clipboard after the batch.
class TSaveToClipboardSetter : public TBasePropertySetter {
public:
    TSaveToClipboardSetter() { FNeedSaveToClipboard = true; }
    void DoAction(TMagnetBench&) override {}
};
