// The main window's controls and handlers on Qt's offscreen platform: the start state, the reset
// confirmation, compass mode, the filings tools, the buttons that follow the bench after presets
// and resets, the pointer events Qt delivers (double clicks, lost grabs) and quick presses.
#include "AppTestSupport.h"

#include "objects/FieldTables.h"
#include "scenes/PresetScenes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double HalfTurn = std::numbers::pi;

QToolButton* Button(const TFerrovane& window, const char* name)
{
    QToolButton* button = window.findChild<QToolButton*>(QString::fromLatin1(name));
    if (button == nullptr) {
        qFatal("no button %s", name);
    }
    return button;
}

// Answers the next modal dialog with `answer` by clicking its button, as a user would.
void AnswerNextDialog(QMessageBox::StandardButton answer, QString* question)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, question] {
        auto* dialog = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        *question = dialog->text();
        dialog->button(answer)->click();
    });
    timer->start();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TFerrovane> Window;

    TFerrovane& W() { return *Window; }
    QToolButton* B(const char* name) { return Button(*Window, name); }
    TPaintBox* Box() { return Window->PaintBox(); }

    void TriggerPreset(const QString& caption)
    {
        for (QAction* action : Window->PresetMenu()->actions()) {
            if (action->text() == caption) {
                action->trigger();
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no menu entry ") + caption));
    }

    // A press and a release at one point of the work area, with nothing in between.
    void ClickBox(QPoint p, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        SendMouse(Box(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, modifiers);
        SendMouse(Box(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, modifiers);
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenNotices();
        EnsureStartupTables();
    }

    void init()
    {
        Window = std::make_unique<TFerrovane>();
        Window->ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
        QVERIFY(QTest::qWaitFor([&] { return Box()->FramesPresented() > 0; }, 30000));
    }

    void cleanup() { Window.reset(); }

    void StartStateOfEveryControl()
    {
        struct TControl {
            const char* Name;
            const char* Caption;
            QRect Rect;
            bool Toggle;
            bool Down;
            bool Visible;
            bool Enabled;
            Qt::ToolButtonStyle Style;
        };
        const TControl controls[] = {
            {"PresetsBtn", "Presets", {8, 8, 82, 33}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddMagnetClick", "Magnet  ", {8, 64, 82, 33}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddCompass", "Compass", {8, 97, 82, 34}, true, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddWire", "Wire       ", {8, 131, 82, 34}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddSolonoid", "Coil         ", {8, 165, 82, 34}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddMotorBtn", "Motor       ", {8, 199, 82, 34}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"AddUniformField", "Uniform  ", {8, 232, 82, 34}, true, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"UniformFlipBtn", "Reverse", {40, 272, 50, 50}, false, false, false, true, Qt::ToolButtonTextUnderIcon},
            {"MoveBTN", "Move", {8, 512, 82, 49}, true, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"CopyToCliboardBtn", "Copy", {8, 567, 82, 47}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
            {"HasGridON", "", {855, 8, 81, 65}, true, true, true, true, Qt::ToolButtonIconOnly},
            {"FieldStrengthON", "", {855, 67, 81, 65}, true, false, true, true, Qt::ToolButtonIconOnly},
            {"FieldLinesOn", "", {855, 138, 81, 65}, true, false, true, true, Qt::ToolButtonIconOnly},
            {"IronFilingsON", "", {855, 203, 81, 65}, true, false, true, true, Qt::ToolButtonIconOnly},
            {"AddingFilingsON", "", {855, 270, 41, 41}, true, false, false, false, Qt::ToolButtonIconOnly},
            {"ClearFilings", "", {896, 270, 41, 41}, false, false, false, false, Qt::ToolButtonIconOnly},
            {"ClearAllBtn", "Reset", {855, 568, 82, 46}, false, false, true, true, Qt::ToolButtonTextBesideIcon},
        };
        QCOMPARE(W().findChildren<QToolButton*>().size(), qsizetype(std::size(controls)));
        for (const TControl& c : controls) {
            QToolButton* button = B(c.Name);
            const QByteArray name(c.Name);
            QVERIFY2(button->text() == QString::fromLatin1(c.Caption), name);
            QVERIFY2(button->geometry() == c.Rect, name);
            QVERIFY2(button->isCheckable() == c.Toggle, name);
            QVERIFY2(button->isChecked() == c.Down, name);
            QVERIFY2(button->isVisible() == c.Visible, name);
            QVERIFY2(button->isEnabled() == c.Enabled, name);
            QVERIFY2(button->toolButtonStyle() == c.Style, name);
            QVERIFY2(button->autoRaise(), name);
            QVERIFY2(button->focusPolicy() == Qt::NoFocus, name);
            QVERIFY2(!button->toolTip().isEmpty(), name);
            QVERIFY2(!button->icon().isNull(), name);
        }
        QLabel* label = W().findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label != nullptr);
        QVERIFY(label->isHidden());
        QCOMPARE(label->pos(), QPoint(8, 432));
        QCOMPARE(Box()->cursor().shape(), Qt::ArrowCursor);

        // The menu: the sixteen scenes in four groups, a separator and "About".
        QStringList entries;
        for (const QAction* action : W().PresetMenu()->actions()) {
            entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QStringList expected;
        for (const TPresetEntry& entry : PresetMenuEntries()) {
            expected << QString::fromStdString(entry.Caption);
        }
        expected << QStringLiteral("-") << QStringLiteral("About");
        QCOMPARE(entries, expected);
        QCOMPARE(entries.count(QStringLiteral("-")), 4);
        QCOMPARE(entries.size(), 21);

        // Presets opens the menu under the button, without waiting for it to close.
        W().move(10, 10); // so that the menu fits on the small offscreen screen
        B("PresetsBtn")->click();
        QVERIFY(W().PresetMenu()->isVisible());
        QCOMPARE(W().PresetMenu()->pos(), B("PresetsBtn")->mapToGlobal(QPoint(0, 33)));
        W().PresetMenu()->hide();
    }

    void ResetAnsweredNoChangesNothingAndYesLeavesOneMagnet()
    {
        // A busy scene: a uniform field, motion, field lines and filings on, a wire.
        B("AddUniformField")->click();
        B("FieldLinesOn")->click();
        B("IronFilingsON")->click();
        B("AddWire")->click();
        B("MoveBTN")->click();
        TBenchSnapshot before;
        AFTER_NEXT_BATCH(W(), before);
        QCOMPARE(before.Objects.size(), std::size_t{3});
        B("MoveBTN")->click(); // motion off again, so the scene stays put
        AFTER_NEXT_BATCH(W(), before);

        QString question;
        AnswerNextDialog(QMessageBox::No, &question);
        B("ClearAllBtn")->click();
        QCOMPARE(question, QStringLiteral("Are you sure you want to reset everything?"));
        TBenchSnapshot after;
        AFTER_NEXT_BATCH(W(), after);
        QCOMPARE(after.Objects.size(), before.Objects.size());
        QVERIFY(after.HasUniformField && after.HasFieldLines && after.HasIronFilings && after.HasGrid);
        QVERIFY(B("FieldLinesOn")->isChecked() && B("IronFilingsON")->isChecked() && B("HasGridON")->isChecked());
        QVERIFY(B("AddingFilingsON")->isVisible());

        B("MoveBTN")->click();
        AnswerNextDialog(QMessageBox::Yes, &question);
        B("ClearAllBtn")->click();
        AFTER_NEXT_BATCH(W(), after);
        QCOMPARE(after.Objects.size(), std::size_t{1});
        QCOMPARE(after.Objects[0].Kind, TObjectKind::Magnet);
        QCOMPARE(after.Objects[0].CentreX, 376.0);
        QCOMPARE(after.Objects[0].CentreY, 303.0);
        QCOMPARE(after.Objects[0].Rotation, 0.0);
        QVERIFY(after.NoVisualisation());
        QVERIFY(!after.MovementON && !after.HasUniformField && after.Filings == 0);
        for (const char* name : {"HasGridON", "FieldStrengthON", "FieldLinesOn", "IronFilingsON", "AddingFilingsON",
                                 "MoveBTN", "AddUniformField"}) {
            QVERIFY2(!B(name)->isChecked(), name);
        }
        QVERIFY(B("UniformFlipBtn")->isHidden());
        QVERIFY(B("AddingFilingsON")->isHidden() && !B("AddingFilingsON")->isEnabled());
        QVERIFY(B("ClearFilings")->isHidden() && !B("ClearFilings")->isEnabled());
    }

    void CompassModeIsLeftByAnotherButton()
    {
        B("AddCompass")->click();
        QVERIFY(B("AddCompass")->isChecked());
        QCOMPARE(Box()->cursor().shape(), Qt::CrossCursor);
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.AddCompassesMode);

        // A press on empty bench places a compass; the mode stays.
        ClickBox(QPoint(100, 100));
        AFTER_NEXT_BATCH(W(), bench);
        QCOMPARE(bench.Count(TObjectKind::Compass), 1);
        QVERIFY(bench.AddCompassesMode && B("AddCompass")->isChecked());

        B("AddMagnetClick")->click();
        QVERIFY(!B("AddCompass")->isChecked());
        QCOMPARE(Box()->cursor().shape(), Qt::ArrowCursor);
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!bench.AddCompassesMode);
        QCOMPARE(bench.Count(TObjectKind::Magnet), 2);

        // Pressed again, the compass button itself ends the mode.
        B("AddCompass")->click();
        B("AddCompass")->click();
        QCOMPARE(Box()->cursor().shape(), Qt::ArrowCursor);
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!bench.AddCompassesMode);

        // Another button pressed before the mode has reached the bench still ends it.
        B("AddCompass")->click();
        B("FieldLinesOn")->click();
        QVERIFY(!B("AddCompass")->isChecked());
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!bench.AddCompassesMode);
        QCOMPARE(Box()->cursor().shape(), Qt::ArrowCursor);
    }

    void FilingsToolsAreShownExactlyWhileFilingsAreOn()
    {
        auto toolsShown = [&] {
            return B("AddingFilingsON")->isVisible() && B("AddingFilingsON")->isEnabled() &&
                   B("ClearFilings")->isVisible() && B("ClearFilings")->isEnabled();
        };
        auto toolsHidden = [&] {
            return B("AddingFilingsON")->isHidden() && !B("AddingFilingsON")->isEnabled() &&
                   B("ClearFilings")->isHidden() && !B("ClearFilings")->isEnabled();
        };
        QVERIFY(toolsHidden());

        B("IronFilingsON")->click();
        QVERIFY(toolsShown());
        QVERIFY(B("AddingFilingsON")->isChecked());
        TBenchSnapshot bench;
        ClickBox(QPoint(100, 500)); // a press on empty bench sprinkles five filings
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.HasIronFilings && bench.IsAddingFilings && !bench.IsRemovingFilings);
        const std::size_t sprinkled = bench.Filings;
        QCOMPARE(sprinkled, std::size_t{5});

        // Off: the tools go, painting stops, the filings stay (hidden).
        B("IronFilingsON")->click();
        QVERIFY(toolsHidden());
        QVERIFY(!B("AddingFilingsON")->isChecked());
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!bench.HasIronFilings && !bench.IsAddingFilings && !bench.IsRemovingFilings);
        QCOMPARE(bench.Filings, sprinkled);

        // On again: painting is switched on with them, the old filings are back.
        B("IronFilingsON")->click();
        QVERIFY(toolsShown());
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.HasIronFilings && bench.IsAddingFilings);
        QCOMPARE(bench.Filings, sprinkled);

        // The shaker up: no painting, filings still shown; down again: filings on.
        B("AddingFilingsON")->click();
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.HasIronFilings && !bench.IsAddingFilings && B("IronFilingsON")->isChecked());
        B("AddingFilingsON")->click();
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.IsAddingFilings && B("IronFilingsON")->isChecked());

        B("ClearFilings")->click();
        AFTER_NEXT_BATCH(W(), bench);
        QCOMPARE(bench.Filings, std::size_t{0});
        QVERIFY(toolsShown());

        // A preset's reset hides them again.
        TriggerPreset(QStringLiteral("Wires making a coil"));
        QVERIFY(toolsHidden());
    }

    void ButtonsFollowTheBenchAfterPresetsAndResets()
    {
        struct TCase {
            const char* Caption;
            bool Grid;
            bool Lines;
            bool Motion;
            bool Uniform;
            std::size_t Objects;
        };
        const TCase cases[] = {
            {"Bar magnets - inline - opposites", true, false, false, false, 2},
            {"Motor turning in uniform field", false, true, true, true, 2},
            {"Bar magnet with compasses", false, false, false, false, 14},
            {"Wires moving in uniform field", false, true, true, true, 3},
            {"Motor in uniform field", false, true, false, true, 2},
            {"Bar magnets moving apart", true, false, true, false, 2},
            {"Wires making a solonoid", true, false, false, false, 20},
            {"Solonoid with compasses", false, false, false, false, 14},
        };
        for (const TCase& c : cases) {
            const QByteArray caption(c.Caption);
            TriggerPreset(QString::fromLatin1(c.Caption));
            // The display buttons change at once, the bench and the buttons that follow it after
            // the batch.
            QVERIFY2(B("HasGridON")->isChecked() == c.Grid, caption);
            QVERIFY2(B("FieldLinesOn")->isChecked() == c.Lines, caption);
            TBenchSnapshot bench;
            AFTER_NEXT_BATCH(W(), bench);
            QVERIFY2(bench.Objects.size() == c.Objects, caption);
            QVERIFY2(bench.HasGrid == c.Grid && bench.HasFieldLines == c.Lines, caption);
            QVERIFY2(!bench.HasFieldMap && !bench.HasIronFilings && bench.Filings == 0, caption);
            QVERIFY2(bench.MovementON == c.Motion && bench.HasUniformField == c.Uniform, caption);
            QVERIFY2(B("MoveBTN")->isChecked() == c.Motion, caption);
            QVERIFY2(B("AddUniformField")->isChecked() == c.Uniform, caption);
            QVERIFY2(B("UniformFlipBtn")->isVisible() == c.Uniform, caption);
            // Setting those buttons ran none of their handlers: a toggle queued by the uniform
            // button would have taken the field away again in the next batch.
            AFTER_NEXT_BATCH(W(), bench);
            QVERIFY2(bench.HasUniformField == c.Uniform && bench.MovementON == c.Motion, caption);
        }

        // Presets are centred on the frame surface.
        TriggerPreset(QStringLiteral("Bar magnet like the solonoids"));
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(W(), bench);
        QCOMPARE(bench.Objects.size(), std::size_t{1});
        QCOMPARE(bench.Objects[0].CentreX, 376.0);
        QCOMPARE(bench.Objects[0].CentreY, 303.0);
        QCOMPARE(bench.Objects[0].Rotation, HalfTurn / 2);

        // After a motion preset with a uniform field, a reset brings the buttons up again.
        TriggerPreset(QStringLiteral("Motor turning in uniform field"));
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(B("MoveBTN")->isChecked() && B("AddUniformField")->isChecked());
        QString question;
        AnswerNextDialog(QMessageBox::Yes, &question);
        B("ClearAllBtn")->click();
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!B("MoveBTN")->isChecked() && !B("AddUniformField")->isChecked());
        QVERIFY(B("UniformFlipBtn")->isHidden());
        QCOMPARE(bench.Objects.size(), std::size_t{1});
    }

    void DoubleClickQueuesItsPressSoEveryReleaseHasOne_data()
    {
        QTest::addColumn<bool>("realSequence");
        QTest::newRow("press, release, double click, release") << true;
        QTest::newRow("QTest::mouseDClick alone, then a release") << false;
    }

    void DoubleClickQueuesItsPressSoEveryReleaseHasOne()
    {
        QFETCH(bool, realSequence);
        const QPoint magnet(376, 303);
        // The last position the window saw is elsewhere, on empty bench.
        SendMouse(Box(), QEvent::MouseMove, QPoint(600, 500), Qt::NoButton, Qt::NoButton);
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(W(), bench);

        if (realSequence) {
            SendMouse(Box(), QEvent::MouseButtonPress, magnet, Qt::LeftButton, Qt::LeftButton);
            SendMouse(Box(), QEvent::MouseButtonRelease, magnet, Qt::LeftButton, Qt::NoButton);
            SendMouse(Box(), QEvent::MouseButtonDblClick, magnet, Qt::LeftButton, Qt::LeftButton);
            SendMouse(Box(), QEvent::MouseButtonRelease, magnet, Qt::LeftButton, Qt::NoButton);
            QCOMPARE(QueuedNames(W()), QStringList({"Down", "Up", "DoubleClick", "Down", "Up"}));
        } else {
            QTest::mouseDClick(Box(), Qt::LeftButton, Qt::NoModifier, magnet);
            QCOMPARE(QueuedNames(W()), QStringList({"DoubleClick", "Down"}));
            QVERIFY(Box()->Pressed());
            QTest::mouseRelease(Box(), Qt::LeftButton, Qt::NoModifier, magnet);
        }
        AFTER_NEXT_BATCH(W(), bench);
        QCOMPARE(bench.Objects.size(), std::size_t{1});
        QCOMPARE(bench.Objects[0].Rotation, HalfTurn); // reversed once, where the double click was
        QVERIFY(!bench.OMouseDown && !bench.MouseDown);
        QVERIFY(bench.Objects[0].Selected);

        // No drag is left behind: a later move with no button down leaves the magnet in place.
        SendMouse(Box(), QEvent::MouseMove, QPoint(500, 400), Qt::NoButton, Qt::NoButton);
        TBenchSnapshot later;
        AFTER_NEXT_BATCH(W(), later);
        QCOMPARE(later.Objects[0].Left, bench.Objects[0].Left);
        QCOMPARE(later.Objects[0].Top, bench.Objects[0].Top);
    }

    void PointerMovesQueueACommandEachPressedOrNot()
    {
        for (int i = 0; i < 4; ++i) {
            SendMouse(Box(), QEvent::MouseMove, QPoint(50 + i, 60), Qt::NoButton, Qt::NoButton);
        }
        QCOMPARE(QueuedNames(W()), QStringList({"Move", "Move", "Move", "Move"}));
        const int frames = Box()->FramesPresented();
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(W(), bench);
        AFTER_NEXT_BATCH(W(), bench);
        QCOMPARE(Box()->FramesPresented(), frames); // moves without a press draw nothing
    }

    void ALostReleaseEndsTheDrag_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("a move arrives with no button down") << 0;
        QTest::newRow("the pointer grab is taken away") << 1;
        QTest::newRow("the window is deactivated") << 2;
    }

    void ALostReleaseEndsTheDrag()
    {
        QFETCH(int, how);
        SendMouse(Box(), QEvent::MouseButtonPress, QPoint(376, 303), Qt::LeftButton, Qt::LeftButton);
        SendMouse(Box(), QEvent::MouseMove, QPoint(396, 313), Qt::NoButton, Qt::LeftButton);
        TBenchSnapshot dragging;
        AFTER_NEXT_BATCH(W(), dragging);
        QVERIFY(dragging.OMouseDown);
        QCOMPARE(dragging.Objects[0].CentreX, 396.0);

        switch (how) {
        case 0:
            break; // the move below carries no button
        case 1: {
            QEvent ungrab(QEvent::UngrabMouse);
            QApplication::sendEvent(Box(), &ungrab);
            QVERIFY(!Box()->Pressed());
            break;
        }
        case 2: {
            // Another window takes the activation (and with it the pointer).
            auto* other = new QWidget;
            other->setAttribute(Qt::WA_DeleteOnClose);
            other->show();
            QApplication::setActiveWindow(other);
            QVERIFY(QTest::qWaitFor([&] { return !W().isActiveWindow(); }, 10000));
            QVERIFY(!Box()->Pressed());
            other->close();
            break;
        }
        }
        SendMouse(Box(), QEvent::MouseMove, QPoint(500, 400), Qt::NoButton, Qt::NoButton);
        TBenchSnapshot after;
        AFTER_NEXT_BATCH(W(), after);
        QVERIFY(!after.OMouseDown && !after.MouseDown);
        QCOMPARE(after.Objects[0].CentreX, 396.0); // ended where the pointer last was
        QCOMPARE(after.Objects[0].CentreY, 313.0);
        QVERIFY(!Box()->Pressed());
    }

    void TwoQuickPressesOfUniformFieldCancelOut()
    {
        B("AddUniformField")->click();
        B("AddUniformField")->click();
        QCOMPARE(QueuedNames(W()), QStringList({"ToggleUniform", "ToggleUniform"}));
        TBenchSnapshot bench;
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(!bench.HasUniformField);
        QCOMPARE(bench.Count(TObjectKind::UniformField), 0);
        QVERIFY(!B("AddUniformField")->isChecked());
        QVERIFY(B("UniformFlipBtn")->isHidden());

        B("AddUniformField")->click();
        AFTER_NEXT_BATCH(W(), bench);
        QVERIFY(bench.HasUniformField);
        QVERIFY(B("AddUniformField")->isChecked());
        QVERIFY(B("UniformFlipBtn")->isVisible());
    }

    void NewObjectsLandInsideTheSurface()
    {
        // Magnets and wires 20 pixels or more from the edges, coils and motors 100.
        struct TCase {
            const char* Button;
            TObjectKind Kind;
            int Margin;
        };
        for (const TCase& c : {TCase{"AddMagnetClick", TObjectKind::Magnet, 20}, TCase{"AddWire", TObjectKind::Wire, 20},
                               TCase{"AddSolonoid", TObjectKind::Coil, 100}}) {
            TriggerPreset(QStringLiteral("Wires making a coil")); // any reset will do
            for (int i = 0; i < 20; ++i) {
                B(c.Button)->click();
            }
            TBenchSnapshot bench;
            AFTER_NEXT_BATCH(W(), bench);
            QCOMPARE(bench.Count(c.Kind), c.Kind == TObjectKind::Wire ? 22 : 20);
            for (const TBenchSnapshot::TObject& object : bench.Objects) {
                if (object.Kind != c.Kind || (c.Kind == TObjectKind::Wire && object.CentreX == 376.0)) {
                    continue;
                }
                QVERIFY2(object.CentreX >= c.Margin && object.CentreX < 753 - c.Margin, c.Button);
                QVERIFY2(object.CentreY >= c.Margin && object.CentreY < 606 - c.Margin, c.Button);
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
