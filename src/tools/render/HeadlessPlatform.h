#pragma once

#include "loop/PlatformServices.h"
#include "support/Tick.h"

#include <string>

// The frame loop's platform without a window: one thread plays both sides, so a synchronized step
// simply runs inline; frames are not shown anywhere (the renderer writes the shared surface itself)
// and the clipboard is ignored. Nothing else runs beside the loop, so an idle pass need not sleep.
class THeadlessPlatform : public TPlatformServices {
public:
    THeadlessPlatform(int width, int height) : FArea{width, height} {}

    uint32_t TickNow() override { return SystemTickMs(); }
    void Sleep(uint32_t) override {}
    void RunSynchronized(const std::function<void()>& step) override { step(); }
    TPaintAreaSize PaintArea() override { return FArea; }
    void PresentFrame(const TFastDIB&) override {}
    void SetTimingText(const std::string& text) override { FTimingText = text; }
    void PutImageOnClipboard(const TFrameImage&) override {}
    void SyncToMB() override {}

    const std::string& TimingText() const { return FTimingText; }

private:
    TPaintAreaSize FArea;
    std::string FTimingText;
};
