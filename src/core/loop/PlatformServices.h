#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFastDIB;

// The size of the work area in pixels; either side may be 0 (a minimised window).
struct TPaintAreaSize {
    int Width = 0;
    int Height = 0;

    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    friend bool operator==(const TPaintAreaSize&, const TPaintAreaSize&) = default;
};

// A picture handed to the platform: Width x Height pixels, top-down rows, one 32-bit value
// 0xFFRRGGBB per pixel (the layout of an RGB32 window image). Made by the frame loop for the
// clipboard with TFastDIB::DrawRect.
struct TFrameImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

// What the frame loop takes from its environment: the clock, sleeping, the synchronized call into
// the user-interface thread, the work area, the timing label, the clipboard and the window's
// SyncToMB. The Qt shell implements it with a worker thread and its window; the headless renderer
// and the tests implement it without any user interface.
//
// Threads: the render thread calls TickNow, Sleep, RunSynchronized and PaintArea. Everything else
// is called only from inside a synchronized step, that is in the user-interface thread while the
// render thread waits.
class TPlatformServices {
public:
    virtual ~TPlatformServices() = default;

    // Milliseconds of a monotonic clock as an unsigned 32-bit counter that wraps; durations are
    // differences modulo 2^32. Any thread.
    virtual uint32_t TickNow() = 0;

    // Suspends the render thread for about `milliseconds`.
    virtual void Sleep(uint32_t milliseconds) = 0;

    // Runs `step` in the user-interface thread, between two of its event handlers, and returns
    // when `step` has returned. Closing must never deadlock: the owner sets the loop's stop flag
    // first and then, while it waits for the render thread to end, keeps running calls that are
    // still pending (TSyncMailbox does exactly that). A step that starts after the stop flag was
    // set returns at once without touching the window, the command queue or the bench.
    virtual void RunSynchronized(const std::function<void()>& step) = 0;

    // The current size of the work area. Called from the render thread, so an implementation
    // reads a copy that its user-interface thread keeps up to date, never the widget itself.
    virtual TPaintAreaSize PaintArea() = 0;

    // Shows a finished frame: copies the work area's width and height of `frame`, from its
    // top-left corner, into the window's own image (TFastDIB::DrawRect) and asks for a repaint.
    // The window repaints from that image only, never from `frame`, which belongs to the render
    // thread outside synchronized steps.
    virtual void PresentFrame(const TFastDIB& frame) = 0;

    // The hidden timing label: the duration of the last drawn frame in whole milliseconds.
    virtual void SetTimingText(const std::string& text) = 0;

    // Replaces the clipboard's content with one picture.
    virtual void PutImageOnClipboard(const TFrameImage& image) = 0;

    // The window's SyncToMB: brings the buttons that follow the bench into line with it. Called at
    // the end of every synchronized step, even when nothing was drawn or queued.
    virtual void SyncToMB() = 0;
};
