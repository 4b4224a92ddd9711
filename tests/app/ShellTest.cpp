// The shell on Qt's offscreen platform: the window opens and shows frames, follows resizes with
// frames of the new size, survives a work area without pixels, copies the frame on screen to the
// clipboard, and closes without hanging however the render thread is caught.
#include "AppTestSupport.h"

#include "objects/FieldTables.h"
#include "raster/Color.h"

#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QToolButton>

#include <chrono>
#include <memory>
#include <thread>

namespace {

bool WaitForFrame(const TFerrovane& window, int previousFrames)
{
    return QTest::qWaitFor([&] { return window.PaintBox()->FramesPresented() > previousFrames; }, 30000);
}

// Whether the shown image has the area's size and the surface was last seen at that size too.
bool ShowsFrameOfSize(const TFerrovane& window, QSize size)
{
    return window.PaintBox()->ShownImage().size() == size && window.SurfaceSize().Width == size.width() &&
           window.SurfaceSize().Height == size.height();
}

QToolButton* Button(const TFerrovane& window, const char* name)
{
    return window.findChild<QToolButton*>(QString::fromLatin1(name));
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QuietOffscreenNotices();
        EnsureStartupTables();
    }

    void WindowOpensAndShowsTheStartScene()
    {
        TFerrovane window;
        window.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Ferrovane"));
        QCOMPARE(window.size(), QSize(941, 622));
        QCOMPARE(window.PaintBox()->geometry(), QRect(96, 8, 753, 606));
        QVERIFY(window.PaintBox()->hasMouseTracking());

        QVERIFY(WaitForFrame(window, 0));
        QVERIFY(ShowsFrameOfSize(window, QSize(753, 606)));
        // The magnet is painted at the centre of the frame: its pixels there are not background.
        const QImage& shown = window.PaintBox()->ShownImage();
        QCOMPARE(shown.format(), QImage::Format_RGB32);
        QVERIFY(shown.pixel(376, 303) != qRgb(255, 255, 255));
        QVERIFY(shown.pixel(20, 20) != shown.pixel(376, 303));
        // The timing label is hidden and shows whole milliseconds once a frame was drawn.
        bool isNumber = false;
        window.TimingLabel()->text().toInt(&isNumber);
        QVERIFY(isNumber);
        QVERIFY(window.TimingLabel()->isHidden());

        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(window, bench);
        QCOMPARE(bench.Objects.size(), std::size_t{1});
        QCOMPARE(bench.Objects[0].Kind, TObjectKind::Magnet);
        QCOMPARE(bench.Objects[0].CentreX, 376.0);
        QCOMPARE(bench.Objects[0].CentreY, 303.0);
        QCOMPARE(bench.Objects[0].Rotation, 0.0);
        QVERIFY(bench.HasGrid);
        QVERIFY(!bench.HasFieldLines && !bench.HasFieldMap && !bench.HasIronFilings);
        QVERIFY(!bench.MovementON && !bench.HasUniformField);
    }

    void ResizingShowsAFrameOfTheNewSize()
    {
        TFerrovane window;
        window.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(WaitForFrame(window, 0));

        struct TCase {
            QSize Client;
            QSize Area;
        };
        for (const TCase& c : {TCase{{1100, 700}, {912, 684}}, TCase{{500, 560}, {312, 544}}, TCase{{941, 622}, {753, 606}}}) {
            window.resize(c.Client);
            QCOMPARE(window.PaintBox()->size(), c.Area);
            QVERIFY2(QTest::qWaitFor([&] { return ShowsFrameOfSize(window, c.Area); }, 30000),
                     qPrintable(QStringLiteral("no frame of %1 x %2").arg(c.Area.width()).arg(c.Area.height())));
            // Anchored controls keep their distances to their edges.
            const int dw = c.Client.width() - 941;
            const int dh = c.Client.height() - 622;
            QCOMPARE(Button(window, "PresetsBtn")->geometry(), QRect(8, 8, 82, 33));
            QCOMPARE(Button(window, "MoveBTN")->geometry(), QRect(8, 512 + dh, 82, 49));
            QCOMPARE(Button(window, "HasGridON")->geometry(), QRect(855 + dw, 8, 81, 65));
            QCOMPARE(Button(window, "ClearAllBtn")->geometry(), QRect(855 + dw, 568 + dh, 82, 46));
        }

        // A magnet added after the resize is placed within the new surface.
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(window, bench);
        QCOMPARE(bench.Objects.size(), std::size_t{1});
    }

    void AWorkAreaWithoutPixelsDrawsNothingAndBreaksNothing()
    {
        TFerrovane window;
        window.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(WaitForFrame(window, 0));

        window.setMinimumSize(0, 0);
        window.resize(150, 10);
        QCOMPARE(window.PaintBox()->size(), QSize(0, 0));
        const int frames = window.PaintBox()->FramesPresented();
        Button(window, "AddMagnetClick")->click();
        Button(window, "FieldLinesOn")->click();
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(window, bench);
        AFTER_NEXT_BATCH(window, bench);
        QCOMPARE(bench.Objects.size(), std::size_t{2});
        QCOMPARE(window.PaintBox()->FramesPresented(), frames);

        window.showMinimized();
        Button(window, "AddWire")->click();
        AFTER_NEXT_BATCH(window, bench);
        QCOMPARE(bench.Objects.size(), std::size_t{3});

        window.showNormal();
        window.resize(941, 622);
        QVERIFY(QTest::qWaitFor([&] { return ShowsFrameOfSize(window, QSize(753, 606)); }, 30000));
    }

    void CopyPutsTheFrameOnScreenOnTheClipboard()
    {
        TFerrovane window;
        window.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(WaitForFrame(window, 0));

        QImage onScreen;
        bool copied = false;
        QClipboard* clipboard = QGuiApplication::clipboard();
        const auto connection = connect(clipboard, &QClipboard::dataChanged, this, [&] {
            // Emitted inside the synchronized step that made the copy: the frame still on screen.
            onScreen = window.PaintBox()->ShownImage().copy();
            copied = true;
        });
        Button(window, "CopyToCliboardBtn")->click();
        QVERIFY(QTest::qWaitFor([&] { return copied; }, 30000));
        disconnect(connection);

        const QImage image = clipboard->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(753, 606));
        QCOMPARE(image, onScreen);
    }

    void ClosingNeverHangs()
    {
        // Each way of catching the render thread: waiting in a step nobody has served yet, idle,
        // busy with motion, with commands still queued, and destroyed without a close.
        for (int round = 0; round < 30; ++round) {
            auto window = std::make_unique<TFerrovane>();
            window->ShowCentred();
            switch (round % 5) {
            case 0:
                // No event has been processed: the first step is still pending.
                std::this_thread::sleep_for(std::chrono::milliseconds(10 * round));
                break;
            case 1:
                QVERIFY(WaitForFrame(*window, 0));
                break;
            case 2:
                QVERIFY(WaitForFrame(*window, 0));
                Button(*window, "MoveBTN")->click();
                QVERIFY(WaitForFrame(*window, window->PaintBox()->FramesPresented()));
                break;
            case 3:
                QVERIFY(WaitForFrame(*window, 0));
                for (int i = 0; i < 5; ++i) {
                    Button(*window, "AddMagnetClick")->click();
                }
                QVERIFY(!window->QueuedSetters().empty());
                break;
            case 4:
                QTest::qWait(round);
                window.reset(); // destroyed without a close
                continue;
            }
            QVERIFY(window->close());
            QVERIFY(window->IsClosed());
            QVERIFY(window->QueuedSetters().empty());
            // A click after the close must not reach the freed bench.
            Button(*window, "AddMagnetClick")->click();
            QVERIFY(window->QueuedSetters().empty());
            window.reset();
            // Wake-up calls the render thread posted before it ended died with the window.
            QCoreApplication::sendPostedEvents();
        }
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
