#pragma once

#include "loop/PlatformServices.h"

#include <QImage>
#include <QWidget>

#include <atomic>
#include <cstdint>

class TFastDIB;

// The work area: shows the frames of the frame loop and reports the pointer.
//
// Frames: the render thread draws into the shared surface; inside the synchronized step (user-
// interface thread, render thread waiting) Present copies the work area's width and height of it
// into this widget's own RGB32 image. Painting reads only that image, so a repaint can never see a
// surface that the render thread is reallocating or half way through drawing.
//
// Pointer: mouse tracking is on, so every move over the area is reported, pressed or not. A press
// whose release never arrives (another window took the pointer grab) is ended by GrabLost, so the
// window can finish the gesture as a release at the last known position would.
//
// Threads: everything in the user-interface thread, except AreaSize, which the render thread reads.
class TPaintBox : public QWidget {
    Q_OBJECT

public:
    explicit TPaintBox(QWidget* parent);

    // Any thread: the size of the work area as the user-interface thread last saw it.
    TPaintAreaSize AreaSize() const;
    // User-interface thread: publishes the current size at once (a hidden window's children get
    // their resize events only when they are shown).
    void NoteSize();

    // User-interface thread, inside the synchronized step: copies `frame` into the shown image
    // (pixels beyond the frame are white) and asks for a repaint. An area without pixels keeps no
    // image and paints nothing.
    void Present(const TFastDIB& frame);

    // The image on screen (null before the first frame), and how many frames were shown.
    const QImage& ShownImage() const { return FImage; }
    int FramesPresented() const { return FFramesPresented; }
    // Whether a press is in progress, as this widget saw the press and release events.
    bool Pressed() const { return FPressed; }
    // Ends a press in progress whose release will not arrive (emits GrabLost); nothing otherwise.
    void EndLostPress();

signals:
    // Positions are in the area's own pixels; they may lie outside it (even be negative) while a
    // button is held down and the pointer leaves the area.
    void MouseDown(int32_t x, int32_t y, bool ctrlDown, bool rightDown, bool shiftDown);
    void MouseMove(int32_t x, int32_t y, bool ctrlDown, bool rightDown, bool shiftDown);
    void MouseUp(int32_t x, int32_t y, bool ctrlDown, bool rightDown, bool shiftDown);
    // Qt reports the second press of a double click as this event instead of a press.
    void DoubleClick(int32_t x, int32_t y, bool ctrlDown, bool rightDown, bool shiftDown);
    // A press is in progress but its release will not come: the grab went elsewhere.
    void GrabLost();
    // Emitted at the end of every repaint of the area.
    void Painted();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage FImage;
    int FFramesPresented = 0;
    bool FPressed = false;
    // Width in the high 32 bits, height in the low ones, so that the render thread never reads a
    // width of one size with the height of another.
    std::atomic<uint64_t> FAreaSize{0};
};
