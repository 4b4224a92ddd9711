#pragma once

#include "commands/BasePropertySetter.h"
#include "loop/PlatformServices.h"

#include <atomic>
#include <cstdint>
#include <memory>

class TFastDIB;
class TMagnetBench;

// The frame loop. Each pass draws a frame when one is needed, then hands control to the
// user-interface thread for a short synchronized step (show the frame, run and free the queued
// commands, copy to the clipboard if asked, SyncToMB), then rebuilds the full field cache while the
// scene is at rest or sleeps 15 ms when nothing is to be drawn. It is the only place where commands
// take effect, so the order of its steps is the order in which user actions reach the scene.
//
// The loop object holds no thread of its own: the window runs Execute on its worker thread (the
// renderer and the tests call RunPass directly). Closing: Terminate, then wait for Execute to
// return while still serving synchronized calls (see TPlatformServices::RunSynchronized).
//
// Threads and ownership:
// - The window owns the shared surface, the bench, the command queue and the platform; they must
//   outlive the loop.
// - The render thread (Execute, RunPass) draws into the shared surface and reallocates it. The
//   user-interface thread touches the surface, the queue and the bench only inside synchronized
//   steps, while the render thread waits; it shows frames from its own copy (PresentFrame), so it
//   never reads a surface that is being reallocated.
// - Terminate and Terminated may be called from any thread.
class TDrawThread {
public:
    // Milliseconds an idle pass sleeps.
    static constexpr uint32_t IdleSleepMs = 15;
    // The frame time handed to the first frame's motion step, in milliseconds.
    static constexpr double InitialTickCount = 100.0;

    TDrawThread(TFastDIB& BMP, TMagnetBench& MB, TSetterList& SetterList, TPlatformServices& Platform);
    ~TDrawThread();

    TDrawThread(const TDrawThread&) = delete;
    TDrawThread& operator=(const TDrawThread&) = delete;

    // Render thread: runs passes until the stop flag is set (tested after each pass, so the pass
    // in progress always finishes, including a due cache rebuild).
    void Execute();
    // Render thread: one pass.
    void RunPass();

    // Any thread: sets the stop flag. A synchronized step that starts afterwards returns at once.
    void Terminate() { FTerminated.store(true); }
    bool Terminated() const { return FTerminated.load(); }

    // User-interface thread, inside the synchronized step: runs and frees every queued command in
    // queue order and sets the four flags for the next pass. NeedRedraw starts as the bench's
    // motion switch; each command is asked NeedsUpdate after its action, only while no earlier
    // one (nor motion) has asked for a frame. NeedOnlyCompassRedraw is true only when every command
    // of a non-empty batch could be shown on the cached background. Returns NeedRedraw.
    bool CheckSync(bool& NeedRedraw, bool& NeedDoubleBuffer, bool& NeedSaveToClipboard, bool& NeedOnlyCompassRedraw);

    // User-interface thread, inside the synchronized step: puts the frame on screen, at the work
    // area's size, on the clipboard. Pixels beyond the shared surface are white.
    void SaveToClipboard();

    // The rest rule: after a still frame, the full field cache is rebuilt when nothing moves or is
    // pressed and a layer that reads it (map, grid, filings) is shown.
    static bool NeedsFullCacheRebuild(const TMagnetBench& MB);

    // Duration in milliseconds of the last pass that drew a frame (InitialTickCount before any).
    // Read by the render thread, or by others between passes.
    double LastTickCount() const { return FLastTickCount; }
    // Whether the next pass draws a frame.
    bool NeedRedraw() const { return FNeedRedraw; }

private:
    void SynchronizedStep();

    TFastDIB& FBMP;
    TMagnetBench& FMB;
    TSetterList& FSetterList;
    TPlatformServices& FPlatform;
    std::atomic<bool> FTerminated{false};

    // State of the loop, shared by the render thread and the synchronized step (which never run at
    // the same time).
    bool FNeedRedraw = true;
    bool FUseDoubleBuffer = false;
    bool FNeedOnlyCompassRedraw = false;
    bool FNeedSaveToClipboard = false;
    uint32_t FStartT = 0;
    double FLastTickCount = InitialTickCount;
    std::unique_ptr<TFastDIB> FDoubleBuffer;
    // This pass drew a frame, into FBMP or into FDoubleBuffer.
    bool FDrewFrame = false;
    // This pass wanted a frame but the work area had no pixels; the request is kept for a later
    // pass, with its double-buffer flag.
    bool FDeferredRedraw = false;
    bool FDeferredDoubleBuffer = false;
};
