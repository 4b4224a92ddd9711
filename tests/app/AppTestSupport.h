#pragma once

// Helpers shared by the QtTests of the shell: reading the bench safely, waiting for frames and
// sending pointer events to the work area.

#include "Ferrovane.h"
#include "PaintBox.h"

#include "bench/MagnetBench.h"
#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/MouseSetters.h"
#include "commands/SceneSetters.h"
#include "objects/ExperimentalObject.h"
#include "objects/MagneticObject.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <cstddef>
#include <vector>

// What the tests read of the bench, copied inside a synchronized step.
struct TBenchSnapshot {
    struct TObject {
        TObjectKind Kind;
        double CentreX = 0.0; // sources only
        double CentreY = 0.0;
        double Rotation = 0.0;
        int Left = 0;
        int Top = 0;
        bool Selected = false;
    };
    std::vector<TObject> Objects;
    std::size_t Filings = 0;
    bool HasGrid = false;
    bool HasFieldMap = false;
    bool HasFieldLines = false;
    bool HasIronFilings = false;
    bool IsAddingFilings = false;
    bool IsRemovingFilings = false;
    bool MovementON = false;
    bool HasUniformField = false;
    bool AddCompassesMode = false;
    bool MouseDown = false;
    bool OMouseDown = false;

    int Count(TObjectKind kind) const
    {
        int n = 0;
        for (const TObject& object : Objects) {
            n += object.Kind == kind ? 1 : 0;
        }
        return n;
    }
    bool NoVisualisation() const { return !HasGrid && !HasFieldMap && !HasFieldLines && !HasIronFilings; }
};

inline TBenchSnapshot SnapshotOf(const TMagnetBench& bench)
{
    TBenchSnapshot s;
    for (const auto& object : bench.Objects()) {
        TBenchSnapshot::TObject o{object->Kind()};
        if (const TMagneticObject* source = object->AsMagnetic()) {
            o.CentreX = source->CentreX();
            o.CentreY = source->CentreY();
            o.Rotation = source->Rotation();
        }
        o.Left = object->Left();
        o.Top = object->Top();
        o.Selected = object->Selected();
        s.Objects.push_back(o);
    }
    s.Filings = bench.FilingPoints().size();
    s.HasGrid = bench.HasGrid();
    s.HasFieldMap = bench.HasFieldMap();
    s.HasFieldLines = bench.HasFieldLines();
    s.HasIronFilings = bench.HasIronFilings();
    s.IsAddingFilings = bench.IsAddingFilings();
    s.IsRemovingFilings = bench.IsRemovingFilings();
    s.MovementON = bench.MovementON();
    s.HasUniformField = bench.HasUniformField();
    s.AddCompassesMode = bench.AddCompassesMode();
    s.MouseDown = bench.MouseDown();
    s.OMouseDown = bench.OMouseDown();
    return s;
}

// Lets every command queued so far run, then copies the bench inside the synchronized step that
// ran them (the only safe moment to read it). Fails the calling test on a timeout.
#define AFTER_NEXT_BATCH(window, snapshot)                                                                             \
    do {                                                                                                               \
        bool ran_ = false;                                                                                             \
        (window).InspectAfterNextBatch([&](const TMagnetBench& bench_) {                                               \
            (snapshot) = SnapshotOf(bench_);                                                                           \
            ran_ = true;                                                                                               \
        });                                                                                                            \
        if (!QTest::qWaitFor([&] { return ran_; }, 30000)) {                                                           \
            (window).InspectAfterNextBatch(nullptr);                                                                   \
            QFAIL("no synchronized step ran");                                                                         \
        }                                                                                                              \
    } while (false)

// Sends one pointer event straight to the work area, as the platform would deliver it.
inline void SendMouse(TPaintBox* box, QEvent::Type type, QPoint position, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(position), QPointF(box->mapToGlobal(position)), button, buttons, modifiers);
    QApplication::sendEvent(box, &event);
}

// Drops the offscreen platform's notice that it ignores size limits (printed at every show), and
// passes every other message on.
inline void QuietOffscreenNotices()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
            return;
        }
        if (previous) {
            previous(type, context, message);
        }
    });
}

// Names of the commands waiting in the queue, in order; "Update!" is a double-buffered update.
inline QStringList QueuedNames(const TFerrovane& window)
{
    QStringList names;
    for (const auto& setter : window.QueuedSetters()) {
        const TBasePropertySetter* s = setter.get();
        if (dynamic_cast<const TMouseDownSetter*>(s)) {
            names << QStringLiteral("Down");
        } else if (dynamic_cast<const TMouseMoveSetter*>(s)) {
            names << QStringLiteral("Move");
        } else if (dynamic_cast<const TMouseUpSetter*>(s)) {
            names << QStringLiteral("Up");
        } else if (dynamic_cast<const TDoubleClickSetter*>(s)) {
            names << QStringLiteral("DoubleClick");
        } else if (dynamic_cast<const TUpdateSetter*>(s)) {
            names << (s->UseDoubleBuffer() ? QStringLiteral("Update!") : QStringLiteral("Update"));
        } else if (dynamic_cast<const TToggleUniformFieldSetter*>(s)) {
            names << QStringLiteral("ToggleUniform");
        } else if (dynamic_cast<const TCompassModeSetter*>(s)) {
            names << QStringLiteral("CompassMode");
        } else if (dynamic_cast<const TAddMagnetSetter*>(s)) {
            names << QStringLiteral("AddMagnet");
        } else {
            names << QStringLiteral("Other");
        }
    }
    return names;
}
