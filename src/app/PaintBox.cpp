#include "PaintBox.h"

#include "raster/FastDIB.h"
#include "support/Rounding.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// A pointer coordinate in whole pixels: the pixel that contains it. Range-safe for any value.
int32_t PixelOf(double coordinate) { return TruncateToInt32(std::floor(ClampDouble(coordinate, -1e9, 1e9))); }

uint64_t PackSize(int width, int height)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(width)) << 32) | static_cast<uint32_t>(height);
}

} // namespace

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("box"));
    setMouseTracking(true);
    // Every pixel is painted from the image, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    NoteSize();
}

TPaintAreaSize TPaintBox::AreaSize() const
{
    const uint64_t packed = FAreaSize.load();
    return TPaintAreaSize{static_cast<int>(packed >> 32), static_cast<int>(packed & 0xFFFFFFFFu)};
}

void TPaintBox::NoteSize() { FAreaSize.store(PackSize(width(), height())); }

void TPaintBox::Present(const TFastDIB& frame)
{
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0) {
        FImage = QImage();
        return;
    }
    if (FImage.width() != w || FImage.height() != h) {
        FImage = QImage(w, h, QImage::Format_RGB32);
    }
    if (frame.Width() < w || frame.Height() < h) {
        FImage.fill(Qt::white);
    }
    // bytesPerLine of an RGB32 image is a multiple of 4.
    frame.DrawRect(reinterpret_cast<uint32_t*>(FImage.bits()), static_cast<int>(FImage.bytesPerLine() / 4), w, h, 0, 0,
                   w, h, 0, 0);
    ++FFramesPresented;
    update();
}

bool TPaintBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::UngrabMouse:
    case QEvent::Hide:
        EndLostPress();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FImage.isNull()) {
        painter.fillRect(rect(), Qt::white);
    } else {
        painter.drawImage(0, 0, FImage);
        // The image is the area's size when it was shown; a larger area shows white beyond it
        // until the frame of the new size arrives.
        if (FImage.width() < width()) {
            painter.fillRect(FImage.width(), 0, width() - FImage.width(), height(), Qt::white);
        }
        if (FImage.height() < height()) {
            painter.fillRect(0, FImage.height(), width(), height() - FImage.height(), Qt::white);
        }
    }
    painter.end();
    emit Painted();
}

void TPaintBox::resizeEvent(QResizeEvent* event)
{
    NoteSize();
    QWidget::resizeEvent(event);
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    FPressed = true;
    const QPointF p = event->position();
    emit MouseDown(PixelOf(p.x()), PixelOf(p.y()), event->modifiers().testFlag(Qt::ControlModifier),
                   event->buttons().testFlag(Qt::RightButton), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    // A move without any button down while a press is in progress: its release went elsewhere.
    if (FPressed && event->buttons() == Qt::NoButton) {
        EndLostPress();
    }
    const QPointF p = event->position();
    emit MouseMove(PixelOf(p.x()), PixelOf(p.y()), event->modifiers().testFlag(Qt::ControlModifier),
                   event->buttons().testFlag(Qt::RightButton), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    FPressed = event->buttons() != Qt::NoButton;
    const QPointF p = event->position();
    emit MouseUp(PixelOf(p.x()), PixelOf(p.y()), event->modifiers().testFlag(Qt::ControlModifier),
                 event->buttons().testFlag(Qt::RightButton), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double-click event stands for the second press, so its release follows.
    FPressed = true;
    const QPointF p = event->position();
    emit DoubleClick(PixelOf(p.x()), PixelOf(p.y()), event->modifiers().testFlag(Qt::ControlModifier),
                     event->buttons().testFlag(Qt::RightButton), event->modifiers().testFlag(Qt::ShiftModifier));
}

void TPaintBox::EndLostPress()
{
    if (!FPressed) {
        return;
    }
    FPressed = false;
    emit GrabLost();
}
