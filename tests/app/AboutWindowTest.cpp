// The about window: its content, the credits kept scrambled in the program, and how it goes away
// as a splash screen and when opened from the preset menu.
#include "AppTestSupport.h"

#include "AboutWindow.h"
#include "Credits.h"

#include "objects/FieldTables.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointer>

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

QString LabelText(const QWidget& window, const char* name)
{
    const QLabel* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QString();
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QuietOffscreenNotices(); }

    void CreditsAreStoredScrambledAndNameTheLibraries()
    {
        const std::string credits = CreditsText();
        for (const char* library : {"Qt", "GoogleTest", "Google Benchmark", "nlohmann-json"}) {
            QVERIFY2(credits.find(library) != std::string::npos, library);
        }
        const auto stored = StoredCredits();
        QCOMPARE(stored.size(), credits.size());
        // Not a byte of it is readable text, so no library name can be found in the program.
        QVERIFY(std::all_of(stored.begin(), stored.end(), [](uint8_t b) { return b >= 0x80; }));
    }

    void ShowsPictureNameVersionLicenceAndCredits()
    {
        TAboutWindow about(TAboutWindow::TMode::UntilClicked);
        QVERIFY(about.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(LabelText(about, "AboutName"), QStringLiteral("Ferrovane"));
        QCOMPARE(LabelText(about, "AboutVersion"), QStringLiteral("Version " FERROVANE_VERSION));
        QVERIFY(!LabelText(about, "AboutLicence").isEmpty());
        QCOMPARE(LabelText(about, "AboutCredits"), QString::fromStdString(CreditsText()));
        const QLabel* picture = about.findChild<QLabel*>(QStringLiteral("AboutPicture"));
        QVERIFY(picture != nullptr);
        const QImage image = picture->pixmap().toImage();
        QCOMPARE(image.size(), QSize(360, 200));
        // The picture was drawn: it is not one flat colour.
        QVERIFY(image.pixel(0, 0) != image.pixel(180, 100) || image.pixel(90, 50) != image.pixel(0, 0));
    }

    void SplashFadesAfterTwoSecondsOrAtOnceWhenClicked()
    {
        QPointer<TAboutWindow> splash = new TAboutWindow(TAboutWindow::TMode::Splash);
        splash->ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(splash.data()));
        QElapsedTimer shown;
        shown.start();
        QVERIFY(QTest::qWaitFor([&] { return splash.isNull(); }, 10000));
        QVERIFY(shown.elapsed() >= TAboutWindow::SplashMs);

        splash = new TAboutWindow(TAboutWindow::TMode::Splash);
        splash->ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(splash.data()));
        QTest::mouseClick(splash.data(), Qt::LeftButton);
        QVERIFY(splash->IsFading());
        QVERIFY(QTest::qWaitFor([&] { return splash.isNull(); }, TAboutWindow::SplashMs));
    }

    void FromTheMenuItStaysUntilClicked()
    {
        EnsureStartupTables();
        TFerrovane window;
        window.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAction* about = window.PresetMenu()->findChild<QAction*>(QStringLiteral("About1"));
        QVERIFY(about != nullptr);
        about->trigger();
        QPointer<TAboutWindow> shown = window.findChild<TAboutWindow*>();
        QVERIFY(!shown.isNull());
        QVERIFY(QTest::qWaitForWindowExposed(shown.data()));
        QTest::qWait(TAboutWindow::SplashMs + 500);
        QVERIFY(!shown.isNull() && shown->isVisible() && !shown->IsFading());

        QTest::mouseClick(shown.data(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return shown.isNull(); }, 5000));
        // Opening it changed nothing on the bench.
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(window, bench);
        QCOMPARE(bench.Objects.size(), std::size_t{1});
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
