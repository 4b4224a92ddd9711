#pragma once

#include "loop/PlatformServices.h"
#include "loop/SyncMailbox.h"

#include <chrono>
#include <functional>

class QLabel;
class QObject;
class TPaintBox;

// The frame loop's platform in Qt: the clock, sleeping on the render thread, the synchronized call
// through a mailbox served by the user-interface thread's event loop, the work area, the timing
// label and the system clipboard.
//
// The synchronized call: the render thread posts the step to the mailbox and posts a queued call
// to `uiContext` (the window) that runs it. Because the window is that call's context object, a
// call still queued when the window is destroyed is dropped with it and never reaches a mailbox
// that is gone. The platform must therefore not outlive the window's event delivery: the window
// owns it.
//
// Threads: TickNow, Sleep, RunSynchronized and PaintArea on the render thread; everything else in
// the user-interface thread, inside a synchronized step, except RunPendingStep, which the window
// calls while it waits for the render thread to end.
class TQtPlatform final : public TPlatformServices {
public:
    TQtPlatform(QObject& uiContext, TPaintBox& box, QLabel& timingLabel, std::function<void()> syncToMB);

    TQtPlatform(const TQtPlatform&) = delete;
    TQtPlatform& operator=(const TQtPlatform&) = delete;

    uint32_t TickNow() override;
    void Sleep(uint32_t milliseconds) override;
    void RunSynchronized(const std::function<void()>& step) override;
    TPaintAreaSize PaintArea() override;
    void PresentFrame(const TFastDIB& frame) override;
    void SetTimingText(const std::string& text) override;
    void PutImageOnClipboard(const TFrameImage& image) override;
    void SyncToMB() override;

    // User-interface thread: runs a posted step, waiting up to `maxWait` for one; whether one ran.
    bool RunPendingStep(std::chrono::milliseconds maxWait = std::chrono::milliseconds(0));

private:
    QObject& FUiContext;
    TPaintBox& FBox;
    QLabel& FTimingLabel;
    std::function<void()> FSyncToMB;
    TSyncMailbox FMailbox;
};
