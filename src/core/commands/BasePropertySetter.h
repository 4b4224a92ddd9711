#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TMagnetBench;

// Base of every command: one user action, captured when it happens and applied to the bench later,
// inside the frame loop's synchronized step, so that no change of the scene ever falls in the
// middle of a frame.
//
// Life: created by the window (or a preset, or the renderer) in the user-interface thread, owned by
// the command queue, run exactly once by the frame loop's CheckSync (DoAction, then NeedsUpdate at
// most once) and destroyed right after. Commands still queued when the window closes are destroyed
// without being run.
class TBasePropertySetter {
public:
    TBasePropertySetter() = default;
    virtual ~TBasePropertySetter() = default;

    TBasePropertySetter(const TBasePropertySetter&) = delete;
    TBasePropertySetter& operator=(const TBasePropertySetter&) = delete;

    // Applies the action to the bench. User-interface thread, inside the synchronized step.
    virtual void DoAction(TMagnetBench& MB) = 0;
    // Whether a new frame is needed, judged on the bench as DoAction left it.
    virtual bool NeedsUpdate(const TMagnetBench& MB);

    // The effect could be shown by repainting the objects on the cached background.
    bool NeedOnlyCompassRedraw() const { return FNeedOnlyCompassRedraw; }
    void SetNeedOnlyCompassRedraw(bool value) { FNeedOnlyCompassRedraw = value; }
    // After the batch, the frame on screen goes to the clipboard.
    bool NeedSaveToClipboard() const { return FNeedSaveToClipboard; }
    void SetNeedSaveToClipboard(bool value) { FNeedSaveToClipboard = value; }
    // The next frame is drawn into a fresh surface of the work area's size (after a resize).
    bool UseDoubleBuffer() const { return FUseDoubleBuffer; }
    void SetUseDoubleBuffer(bool value) { FUseDoubleBuffer = value; }

protected:
    bool FNeedOnlyCompassRedraw = false;
    bool FNeedSaveToClipboard = false;
    bool FUseDoubleBuffer = false;
};

// The command queue: appended to only by the user-interface thread, run in order and emptied only
// inside the frame loop's synchronized step (which also runs in that thread), so it needs no lock.
using TSetterList = std::vector<std::unique_ptr<TBasePropertySetter>>;

// Base of the pointer commands: the position in bench pixels and the state of the control key,
// the right button and the shift key at the moment of the event.
class TMouseSetter : public TBasePropertySetter {
public:
    TMouseSetter(int32_t X, int32_t Y, bool HasCrtlDown, bool HasRightDown, bool HasShiftDown);

protected:
    bool FHasCtrlDown = false;
    bool FHasRightDown = false;
    bool FHasShiftDown = false;
    int32_t FX = 0;
    int32_t FY = 0;
};

// Base of the commands that act at one position in bench pixels.
class TBaseAdder : public TBasePropertySetter {
public:
    TBaseAdder(int32_t X, int32_t Y);

protected:
    int32_t FX = 0;
    int32_t FY = 0;
};
