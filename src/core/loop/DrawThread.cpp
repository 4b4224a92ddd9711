#include "loop/DrawThread.h"

#include "bench/MagnetBench.h"
#include "raster/FastDIB.h"
#include "support/Rounding.h"
#include "support/Tick.h"

#include <string>

TDrawThread::TDrawThread(TFastDIB& BMP, TMagnetBench& MB, TSetterList& SetterList, TPlatformServices& Platform)
    : FBMP(BMP), FMB(MB), FSetterList(SetterList), FPlatform(Platform)
{
}

TDrawThread::~TDrawThread() = default;

void TDrawThread::Execute()
{
    do {
        RunPass();
    } while (!Terminated());
}

bool TDrawThread::NeedsFullCacheRebuild(const TMagnetBench& MB)
{
    return !MB.MovementON() && !MB.MouseDown() && !MB.OMouseDown() &&
           (MB.HasFieldMap() || MB.HasGrid() || MB.HasIronFilings());
}

void TDrawThread::RunPass()
{
    FStartT = FPlatform.TickNow();
    bool buildCache = false;
    FDrewFrame = false;
    FDeferredRedraw = false;

    if (FNeedRedraw) {
        const TPaintAreaSize area = FPlatform.PaintArea();
        if (area.IsEmpty()) {
            // Nothing to draw into: the frame on screen and the shared surface stay as they are,
            // and the request waits for a work area with pixels.
            FDeferredRedraw = true;
            FDeferredDoubleBuffer = FUseDoubleBuffer;
        } else if (FUseDoubleBuffer) {
            // The old frame stays on screen and in FBMP; FBMP takes the new size only inside the
            // synchronized step.
            FDoubleBuffer = std::make_unique<TFastDIB>();
            FDoubleBuffer->SetSize(area.Width, area.Height, 24);
            FMB.DrawBitmap(*FDoubleBuffer, FLastTickCount, false);
            FDrewFrame = true;
        } else {
            if (FBMP.Width() != area.Width || FBMP.Height() != area.Height) {
                FBMP.SetSize(area.Width, area.Height, 24);
            }
            // Always a complete frame: the cached path that NeedOnlyCompassRedraw would allow is
            // not taken, which is always correct.
            FMB.DrawBitmap(FBMP, FLastTickCount, false);
            FDrewFrame = true;
        }
        buildCache = FDrewFrame && NeedsFullCacheRebuild(FMB);
    }

    FPlatform.RunSynchronized([this] { SynchronizedStep(); });

    if (buildCache) {
        FMB.BuildFullCacheFieldLUT();
    } else if (!FNeedRedraw || FDeferredRedraw) {
        FPlatform.Sleep(IdleSleepMs);
    }
}

void TDrawThread::SynchronizedStep()
{
    // The window is closing: it may already have freed the queue, so touch nothing.
    if (Terminated()) {
        return;
    }
    if (FDrewFrame) {
        if (FUseDoubleBuffer && FDoubleBuffer) {
            if (FBMP.Width() != FDoubleBuffer->Width() || FBMP.Height() != FDoubleBuffer->Height()) {
                FBMP.SetSize(FDoubleBuffer->Width(), FDoubleBuffer->Height(), 24);
            }
            FBMP.CopyRect(*FDoubleBuffer, 0, 0, FDoubleBuffer->Width(), FDoubleBuffer->Height(), 0, 0);
            FDoubleBuffer.reset();
        }
        FPlatform.PresentFrame(FBMP);
        // The unsigned difference survives the wrap of the tick counter.
        FLastTickCount = static_cast<double>(TickDifference(FPlatform.TickNow(), FStartT));
        FPlatform.SetTimingText(std::to_string(RoundHalfEven(FLastTickCount)));
    }

    CheckSync(FNeedRedraw, FUseDoubleBuffer, FNeedSaveToClipboard, FNeedOnlyCompassRedraw);
    if (FDeferredRedraw) {
        FNeedRedraw = true;
        FUseDoubleBuffer = FUseDoubleBuffer || FDeferredDoubleBuffer;
        FNeedOnlyCompassRedraw = false;
    }

    if (FNeedSaveToClipboard) {
        SaveToClipboard();
    }
    FPlatform.SyncToMB();
}

bool TDrawThread::CheckSync(bool& NeedRedraw, bool& NeedDoubleBuffer, bool& NeedSaveToClipboard,
                            bool& NeedOnlyCompassRedraw)
{
    NeedRedraw = FMB.MovementON();
    NeedDoubleBuffer = false;
    NeedSaveToClipboard = false;
    bool allCompassOnly = !FSetterList.empty();

    for (std::unique_ptr<TBasePropertySetter>& setter : FSetterList) {
        setter->DoAction(FMB);
        if (!NeedRedraw) {
            NeedRedraw = setter->NeedsUpdate(FMB);
        }
        NeedDoubleBuffer = NeedDoubleBuffer || setter->UseDoubleBuffer();
        NeedSaveToClipboard = NeedSaveToClipboard || setter->NeedSaveToClipboard();
        allCompassOnly = allCompassOnly && setter->NeedOnlyCompassRedraw();
        setter.reset();
    }
    FSetterList.clear();

    NeedOnlyCompassRedraw = allCompassOnly;
    return NeedRedraw;
}

void TDrawThread::SaveToClipboard()
{
    const TPaintAreaSize area = FPlatform.PaintArea();
    if (area.IsEmpty()) {
        return;
    }
    TFrameImage image;
    image.Width = area.Width;
    image.Height = area.Height;
    image.Pixels.assign(static_cast<size_t>(area.Width) * static_cast<size_t>(area.Height), 0xFFFFFFFFu);
    FBMP.DrawRect(image.Pixels.data(), area.Width, area.Width, area.Height, 0, 0, area.Width, area.Height, 0, 0);
    FPlatform.PutImageOnClipboard(image);
}
