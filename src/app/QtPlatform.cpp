#include "QtPlatform.h"

#include "PaintBox.h"
#include "support/Tick.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMetaObject>

#include <cstring>
#include <thread>

TQtPlatform::TQtPlatform(QObject& uiContext, TPaintBox& box, QLabel& timingLabel, std::function<void()> syncToMB)
    : FUiContext(uiContext), FBox(box), FTimingLabel(timingLabel), FSyncToMB(std::move(syncToMB)),
      FMailbox([this] {
          // Render thread: posting an event is thread-safe; the window is alive as long as the
          // render thread runs, because it waits for that thread before it is destroyed.
          QMetaObject::invokeMethod(&FUiContext, [this] { FMailbox.RunPending(); }, Qt::QueuedConnection);
      })
{
}

uint32_t TQtPlatform::TickNow() { return SystemTickMs(); }

void TQtPlatform::Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void TQtPlatform::RunSynchronized(const std::function<void()>& step) { FMailbox.Call(step); }

TPaintAreaSize TQtPlatform::PaintArea() { return FBox.AreaSize(); }

void TQtPlatform::PresentFrame(const TFastDIB& frame) { FBox.Present(frame); }

void TQtPlatform::SetTimingText(const std::string& text) { FTimingLabel.setText(QString::fromStdString(text)); }

void TQtPlatform::PutImageOnClipboard(const TFrameImage& image)
{
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Pixels.size() != static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height)) {
        return;
    }
    QImage picture(image.Width, image.Height, QImage::Format_RGB32);
    for (int y = 0; y < image.Height; ++y) {
        std::memcpy(picture.scanLine(y), image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width),
                    static_cast<size_t>(image.Width) * sizeof(uint32_t));
    }
    // Offered in every image format Qt knows (PNG among them), so other programs can paste it.
    QGuiApplication::clipboard()->setImage(picture);
}

void TQtPlatform::SyncToMB() { FSyncToMB(); }

bool TQtPlatform::RunPendingStep(std::chrono::milliseconds maxWait) { return FMailbox.RunPending(maxWait); }
