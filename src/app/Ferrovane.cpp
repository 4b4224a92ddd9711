#include "Ferrovane.h"

#include "AboutWindow.h"
#include "PaintBox.h"
#include "QtPlatform.h"
#include "ResourcePictures.h"

#include "bench/MagnetBench.h"
#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/MouseSetters.h"
#include "commands/SceneSetters.h"
#include "loop/DrawThread.h"
#include "objects/BinIcons.h"
#include "raster/FastDIB.h"
#include "support/Random.h"

#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace {

using TKind = TSpeedButton::TKind;
using TLayout = TSpeedButton::TLayout;

// Picture sizes of the button columns, in pixels.
constexpr QSize SmallPicture(24, 24);
constexpr QSize TallPicture(32, 32);
constexpr QSize DisplayPicture(77, 61);
constexpr QSize ToolPicture(36, 36);

// The strength of the uniform field the button toggles.
constexpr double UniformFieldStrength = 0.1;

} // namespace

TFerrovane::TFerrovane(QWidget* parent) : QWidget(parent)
{
    CreateControls();

    // The creation handler, in this order.
    // 1. The random generator, from the clock.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    ProgramRandom().Seed(static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    // 2. The shared surface at the work area's size.
    BMP = std::make_unique<TFastDIB>();
    BMP->SetSize(box->width(), box->height(), 24);
    FSurfaceSize = TPaintAreaSize{BMP->Width(), BMP->Height()};
    // 3. The empty command queue.
    SetterList = std::make_unique<TSetterList>();
    // 4. The bench.
    MB = std::make_unique<TMagnetBench>();
    // 5. Its two bin icons.
    MB->SetGarbageIcon(LoadFromImageList(0));
    MB->SetGarbageIconOpen(LoadFromImageList(1));
    // 6. The display switches, as the buttons start.
    MB->SetHasFieldLines(false);
    MB->SetHasFieldMap(false);
    MB->SetHasGrid(true);
    // 7. One magnet at the centre, directly.
    MB->AddMagnet(box->width() / 2, box->height() / 2, 0.0);
    // 8. The frame loop, running at once on its own thread.
    FPlatform = std::make_unique<TQtPlatform>(*this, *box, *Label1, [this] { SyncToMB(); });
    DrawThread = std::make_unique<TDrawThread>(*BMP, *MB, *SetterList, *FPlatform);
    TDrawThread* loop = DrawThread.get();
    FRenderThread.reset(QThread::create([loop] { loop->Execute(); }));
    FRenderThread->setObjectName(QStringLiteral("FrameLoop"));
    FRenderThread->start();
}

TFerrovane::~TFerrovane()
{
    FormDestroy();
    // QWidget's destructor still hides the children, and the work area would report a press it
    // loses that way to a window that no longer exists.
    disconnect(box, nullptr, this, nullptr);
}

void TFerrovane::CreateControls()
{
    setObjectName(QStringLiteral("Ferrovane"));
    setWindowTitle(QStringLiteral("Ferrovane"));
    setWindowIcon(PictureIcon(QStringLiteral("app-icon"), QSize(32, 32)));
    resize(StartClientWidth, StartClientHeight);
    setMinimumSize(MinOuterWidth, MinOuterHeight);

    box = new TPaintBox(this);
    Anchor(box, QRect(96, 8, 753, 606), AnchorLeft | AnchorTop | AnchorRight | AnchorBottom);
    connect(box, &TPaintBox::MouseDown, this, &TFerrovane::boxMouseDown);
    connect(box, &TPaintBox::MouseMove, this, &TFerrovane::boxMouseMove);
    connect(box, &TPaintBox::MouseUp, this, &TFerrovane::boxMouseUp);
    connect(box, &TPaintBox::DoubleClick, this, &TFerrovane::boxDblClick);
    connect(box, &TPaintBox::GrabLost, this, &TFerrovane::boxGrabLost);
    connect(box, &TPaintBox::Painted, this, &TFerrovane::boxPaint);

    const unsigned topLeft = AnchorLeft | AnchorTop;
    const unsigned bottomLeft = AnchorLeft | AnchorBottom;
    const unsigned topRight = AnchorRight | AnchorTop;
    const unsigned bottomRight = AnchorRight | AnchorBottom;

    PresetsBtn = AddButton("PresetsBtn", QStringLiteral("Presets"), TKind::Push, TLayout::PictureBeside,
                           QRect(8, 8, 82, 33), topLeft, "presets", SmallPicture,
                           QStringLiteral("Set up one of the ready-made demonstrations"));
    AddMagnetClick = AddButton("AddMagnetClick", QStringLiteral("Magnet  "), TKind::Push, TLayout::PictureBeside,
                               QRect(8, 64, 82, 33), topLeft, "magnet", SmallPicture,
                               QStringLiteral("Put a bar magnet somewhere on the bench"));
    AddCompass = AddButton("AddCompass", QStringLiteral("Compass"), TKind::Toggle, TLayout::PictureBeside,
                           QRect(8, 97, 82, 34), topLeft, "compass", SmallPicture,
                           QStringLiteral("While this is down, a click on an empty spot of the bench places a "
                                          "compass there"));
    AddWire = AddButton("AddWire", QStringLiteral("Wire       "), TKind::Push, TLayout::PictureBeside,
                        QRect(8, 131, 82, 34), topLeft, "wire", SmallPicture,
                        QStringLiteral("Put a straight wire on the bench, its current coming out of the screen"));
    AddSolonoid = AddButton("AddSolonoid", QStringLiteral("Coil         "), TKind::Push, TLayout::PictureBeside,
                            QRect(8, 165, 82, 34), topLeft, "coil", SmallPicture,
                            QStringLiteral("Put a coil, seen edge-on, on the bench"));
    AddMotorBtn = AddButton("AddMotorBtn", QStringLiteral("Motor       "), TKind::Push, TLayout::PictureBeside,
                            QRect(8, 199, 82, 34), topLeft, "motor", SmallPicture,
                            QStringLiteral("Put the motor's coil on the bench"));
    AddUniformField = AddButton("AddUniformField", QStringLiteral("Uniform  "), TKind::Toggle, TLayout::PictureBeside,
                                QRect(8, 232, 82, 34), topLeft, "uniform", SmallPicture,
                                QStringLiteral("Lay an even field across the whole bench, or take it away"));
    UniformFlipBtn = AddButton("UniformFlipBtn", QStringLiteral("Reverse"), TKind::Push, TLayout::PictureAbove,
                               QRect(40, 272, 50, 50), topLeft, "reverse", SmallPicture,
                               QStringLiteral("Turn the even field round"));
    UniformFlipBtn->hide();

    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->adjustSize();
    Anchor(Label1, QRect(QPoint(8, 432), Label1->size()), bottomLeft);
    Label1->hide();

    MoveBTN = AddButton("MoveBTN", QStringLiteral("Move"), TKind::Toggle, TLayout::PictureBeside, QRect(8, 512, 82, 49),
                        bottomLeft, "move", TallPicture,
                        QStringLiteral("Let the forces push, pull and turn the magnets, wires and coils"));
    CopyToCliboardBtn = AddButton("CopyToCliboardBtn", QStringLiteral("Copy"), TKind::Push, TLayout::PictureBeside,
                                  QRect(8, 567, 82, 47), bottomLeft, "copy", TallPicture,
                                  QStringLiteral("Copy the picture of the bench to the clipboard"));
    {
        QIcon icon = PictureIcon(QStringLiteral("copy"), TallPicture);
        AddPicture(icon, QStringLiteral("copy-disabled"), TallPicture, QIcon::Disabled, QIcon::Off);
        AddPicture(icon, QStringLiteral("copy-down"), TallPicture, QIcon::Normal, QIcon::On);
        AddPicture(icon, QStringLiteral("copy-down"), TallPicture, QIcon::Active, QIcon::On);
        CopyToCliboardBtn->setIcon(icon);
        CopyToCliboardBtn->SetPressedIcon(PictureIcon(QStringLiteral("copy-pressed"), TallPicture));
    }

    HasGridON = AddButton("HasGridON", QString(), TKind::Toggle, TLayout::PictureOnly, QRect(855, 8, 81, 65), topRight,
                          "grid", DisplayPicture, QStringLiteral("Show the field as a grid of short streaks"));
    HasGridON->setChecked(true);
    FieldStrengthON = AddButton("FieldStrengthON", QString(), TKind::Toggle, TLayout::PictureOnly,
                                QRect(855, 67, 81, 65), topRight, "fieldmap", DisplayPicture,
                                QStringLiteral("Show how strong the field is: the brighter the green, the stronger"));
    FieldLinesOn = AddButton("FieldLinesOn", QString(), TKind::Toggle, TLayout::PictureOnly, QRect(855, 138, 81, 65),
                             topRight, "fieldlines", DisplayPicture, QStringLiteral("Draw the field lines"));
    IronFilingsON = AddButton("IronFilingsON", QString(), TKind::Toggle, TLayout::PictureOnly,
                              QRect(855, 203, 81, 65), topRight, "filings", DisplayPicture,
                              QStringLiteral("Show iron filings, and sprinkle new ones by dragging on the bench"));
    AddingFilingsON = AddButton("AddingFilingsON", QString(), TKind::Toggle, TLayout::PictureOnly,
                                QRect(855, 270, 41, 41), topRight, "shaker", ToolPicture,
                                QStringLiteral("While this is down, dragging on an empty part of the bench sprinkles "
                                               "filings; with the right button it wipes them away"));
    AddingFilingsON->hide();
    AddingFilingsON->setEnabled(false);
    ClearFilings = AddButton("ClearFilings", QString(), TKind::Push, TLayout::PictureOnly, QRect(896, 270, 41, 41),
                             topRight, "brush", ToolPicture, QStringLiteral("Sweep all the iron filings away"));
    ClearFilings->hide();
    ClearFilings->setEnabled(false);
    ClearAllBtn = AddButton("ClearAllBtn", QStringLiteral("Reset"), TKind::Push, TLayout::PictureBeside,
                            QRect(855, 568, 82, 46), bottomRight, "reset", TallPicture,
                            QStringLiteral("Clear the bench and start again with a single magnet"));

    OnClick(PresetsBtn, &TFerrovane::PresetsBtnClick);
    OnClick(AddMagnetClick, &TFerrovane::AddMagnetClickClick);
    OnClick(AddCompass, &TFerrovane::AddCompassClick);
    OnClick(AddWire, &TFerrovane::AddWireClick);
    OnClick(AddSolonoid, &TFerrovane::AddSolonoidClick);
    OnClick(AddMotorBtn, &TFerrovane::AddMotorBtnClick);
    OnClick(AddUniformField, &TFerrovane::AddUniformFieldClick);
    OnClick(UniformFlipBtn, &TFerrovane::UniformFlipBtnClick);
    OnClick(MoveBTN, &TFerrovane::MoveBTNClick);
    OnClick(CopyToCliboardBtn, &TFerrovane::CopyToCliboardBtnClick);
    OnClick(HasGridON, &TFerrovane::HasGridONClick);
    OnClick(FieldStrengthON, &TFerrovane::FieldStrengthONClick);
    OnClick(FieldLinesOn, &TFerrovane::FieldLinesOnClick);
    OnClick(IronFilingsON, &TFerrovane::IronFilingsONClick);
    OnClick(AddingFilingsON, &TFerrovane::AddingFilingsONClick);
    OnClick(ClearFilings, &TFerrovane::ClearFilingsClick);
    OnClick(ClearAllBtn, &TFerrovane::ClearAllBtnClick);

    BuildPresetMenu();
    PlaceControls();
}

TSpeedButton* TFerrovane::AddButton(const char* name, const QString& caption, TSpeedButton::TKind kind,
                                    TSpeedButton::TLayout layout, QRect rect, unsigned anchors, const char* picture,
                                    QSize pictureSize, const QString& toolTip)
{
    auto* button = new TSpeedButton(this, QString::fromLatin1(name), caption, kind, layout);
    button->setIcon(PictureIcon(QString::fromLatin1(picture), pictureSize));
    button->setIconSize(pictureSize);
    button->setToolTip(toolTip);
    Anchor(button, rect, anchors);
    return button;
}

void TFerrovane::Anchor(QWidget* control, QRect startRect, unsigned anchors)
{
    FAnchored.push_back(TAnchoredControl{control, startRect, anchors});
    control->setGeometry(startRect);
}

void TFerrovane::PlaceControls()
{
    // Each control keeps its distance to the edges it is anchored to; a control anchored to both
    // opposite edges grows and shrinks with the window.
    const int dw = width() - StartClientWidth;
    const int dh = height() - StartClientHeight;
    for (const TAnchoredControl& anchored : FAnchored) {
        QRect r = anchored.StartRect;
        if ((anchored.Anchors & AnchorRight) != 0) {
            if ((anchored.Anchors & AnchorLeft) != 0) {
                r.setWidth(std::max(0, r.width() + dw));
            } else {
                r.moveLeft(r.left() + dw);
            }
        }
        if ((anchored.Anchors & AnchorBottom) != 0) {
            if ((anchored.Anchors & AnchorTop) != 0) {
                r.setHeight(std::max(0, r.height() + dh));
            } else {
                r.moveTop(r.top() + dh);
            }
        }
        anchored.Control->setGeometry(r);
    }
    // A hidden window's children get their resize events only when shown; the render thread must
    // see the work area's size at once.
    if (box != nullptr) {
        box->NoteSize();
    }
}

void TFerrovane::BuildPresetMenu()
{
    FPresetMenu = new QMenu(this);
    FPresetMenu->setObjectName(QStringLiteral("PresetMenu"));
    for (const TPresetEntry& entry : PresetMenuEntries()) {
        if (entry.IsSeparator()) {
            FPresetMenu->addSeparator()->setObjectName(QString::fromStdString(entry.Name));
            continue;
        }
        QAction* action = FPresetMenu->addAction(QString::fromStdString(entry.Caption));
        action->setObjectName(QString::fromStdString(entry.Name));
        const auto build = entry.Build;
        connect(action, &QAction::triggered, this, [this, build] {
            if (!FClosed) {
                build(*this);
            }
        });
    }
    FPresetMenu->addSeparator()->setObjectName(QStringLiteral("N4"));
    QAction* about = FPresetMenu->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &TFerrovane::About1Click);

    PresetsBtn->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PresetsBtn, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        if (!FClosed) {
            FPresetMenu->popup(PresetsBtn->mapToGlobal(position));
        }
    });
}

void TFerrovane::OnClick(TSpeedButton* button, void (TFerrovane::*handler)())
{
    connect(button, &QAbstractButton::clicked, this, [this, handler] {
        if (!FClosed) {
            (this->*handler)();
        }
    });
}

void TFerrovane::ShowCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // On a screen smaller than the window the top-left corner stays on it, so the title bar
        // can still be reached.
        const QRect available = screen->availableGeometry();
        const QPoint centred = available.center() - rect().center();
        move(std::max(centred.x(), available.left()), std::max(centred.y(), available.top()));
    }
    show();
}

void TFerrovane::UpdateMinimumSize()
{
    // The smallest outer size, approximated by the client size: the decoration's share is known
    // only once the window manager has framed the window (it is zero without one), so the limit
    // is set again whenever that share changes, and only then.
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    const QSize decoration(std::max(0, outer.width() - client.width()), std::max(0, outer.height() - client.height()));
    if (decoration == FDecoration) {
        return;
    }
    FDecoration = decoration;
    setMinimumSize(std::max(0, MinOuterWidth - decoration.width()), std::max(0, MinOuterHeight - decoration.height()));
}

void TFerrovane::showEvent(QShowEvent* event)
{
    UpdateMinimumSize();
    QWidget::showEvent(event);
}

void TFerrovane::moveEvent(QMoveEvent* event)
{
    UpdateMinimumSize();
    QWidget::moveEvent(event);
}

void TFerrovane::resizeEvent(QResizeEvent* event)
{
    PlaceControls();
    QWidget::resizeEvent(event);
}

void TFerrovane::changeEvent(QEvent* event)
{
    // Losing the activation in the middle of a drag means another window took the pointer.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        box->EndLostPress();
    }
    QWidget::changeEvent(event);
}

void TFerrovane::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    event->accept();
}

void TFerrovane::FormDestroy()
{
    if (FClosed) {
        return;
    }
    FClosed = true;
    // 1. The commands still queued, without running them. The list object itself goes after the
    // frame loop, which holds a reference to it (but never touches it once stopped).
    SetterList->clear();
    // 2. The frame loop: the stop flag first, then wait for its thread while serving the
    // synchronized step it may be waiting in. That step sees the flag and returns at once, so the
    // render thread never waits for a user-interface thread that waits for it.
    DrawThread->Terminate();
    while (!FRenderThread->wait(QDeadlineTimer(5))) {
        FPlatform->RunPendingStep();
    }
    FRenderThread.reset();
    DrawThread.reset();
    SetterList.reset();
    // 3. The shared surface, then 4. the bench with its objects.
    BMP.reset();
    MB.reset();
    FInspect = nullptr;
}

// ---- operations ----

void TFerrovane::AddSetter(std::unique_ptr<TBasePropertySetter> setter)
{
    if (FClosed) {
        return;
    }
    SetterList->push_back(std::move(setter));
}

std::unique_ptr<TFastDIB> TFerrovane::LoadFromImageList(int Index) { return MakeBinIcon(Index == 1); }

void TFerrovane::LeaveCompassMode()
{
    // The button counts as well as the bench: a TCompassModeSetter(true) queued by a press of
    // AddCompass has not reached the bench before the next batch, and the mode must end all the same.
    if (MB->AddCompassesMode() || AddCompass->isChecked()) {
        AddCompass->setChecked(false);
        AddSetter(std::make_unique<TCompassModeSetter>(false));
    }
    box->setCursor(Qt::ArrowCursor);
}

void TFerrovane::ResetDisplayButtons()
{
    HasGridON->setChecked(false);
    FieldLinesOn->setChecked(false);
    FieldStrengthON->setChecked(false);
    IronFilingsON->setChecked(false);
    AddingFilingsON->setChecked(false);
    AddingFilingsON->hide();
    AddingFilingsON->setEnabled(false);
    ClearFilings->hide();
    ClearFilings->setEnabled(false);
}

void TFerrovane::ResetToEmpty() { ::ResetToEmpty(*this); }

void TFerrovane::ResetToGridOnly(bool Movement) { ::ResetToGridOnly(*this, Movement); }

void TFerrovane::ResetToFieldLinesOnly(bool Movement) { ::ResetToFieldLinesOnly(*this, Movement); }

void TFerrovane::QueueUpdate(bool aUseDoubleBuffer) { AddSetter(std::make_unique<TUpdateSetter>(aUseDoubleBuffer)); }

void TFerrovane::SyncToMB()
{
    // Inside the synchronized step: the render thread waits, so the surface may be read here.
    FSurfaceSize = TPaintAreaSize{BMP->Width(), BMP->Height()};

    // setChecked and setVisible do not run the click handlers.
    const bool hasUniformField = MB->HasUniformField();
    if (AddUniformField->isChecked() != hasUniformField) {
        AddUniformField->setChecked(hasUniformField);
    }
    if (UniformFlipBtn->isHidden() == hasUniformField) {
        UniformFlipBtn->setVisible(hasUniformField);
    }
    if (MoveBTN->isChecked() != MB->MovementON()) {
        MoveBTN->setChecked(MB->MovementON());
    }

    if (FInspect) {
        const auto inspect = std::move(FInspect);
        FInspect = nullptr;
        inspect(*MB);
    }
}

void TFerrovane::PressGridButton() { HasGridON->setChecked(true); }

void TFerrovane::PressFieldLinesButton() { FieldLinesOn->setChecked(true); }

void TFerrovane::SetBenchHasFieldLines(bool value) { MB->SetHasFieldLines(value); }

const TSetterList& TFerrovane::QueuedSetters() const
{
    static const TSetterList none;
    return SetterList ? *SetterList : none;
}

void TFerrovane::InspectAfterNextBatch(std::function<void(const TMagnetBench&)> inspect)
{
    FInspect = std::move(inspect);
}

// ---- handlers ----

void TFerrovane::PresetsBtnClick()
{
    LeaveCompassMode();
    FPresetMenu->popup(PresetsBtn->mapToGlobal(QPoint(0, PresetsBtn->height())));
}

void TFerrovane::AddMagnetClickClick()
{
    LeaveCompassMode();
    const int32_t y = RandomInt(20, FSurfaceSize.Height - 20);
    const int32_t x = RandomInt(20, FSurfaceSize.Width - 20);
    AddSetter(std::make_unique<TAddMagnetSetter>(x, y, 0.0));
}

void TFerrovane::AddCompassClick()
{
    const bool down = AddCompass->isChecked();
    AddSetter(std::make_unique<TCompassModeSetter>(down));
    box->setCursor(down ? Qt::CrossCursor : Qt::ArrowCursor);
}

void TFerrovane::AddWireClick()
{
    LeaveCompassMode();
    const int32_t y = RandomInt(20, FSurfaceSize.Height - 20);
    const int32_t x = RandomInt(20, FSurfaceSize.Width - 20);
    AddSetter(std::make_unique<TAddWireSetter>(x, y, false));
}

void TFerrovane::AddSolonoidClick()
{
    LeaveCompassMode();
    const int32_t y = RandomInt(100, FSurfaceSize.Height - 100);
    const int32_t x = RandomInt(100, FSurfaceSize.Width - 100);
    AddSetter(std::make_unique<TAddSolonoidSetter>(x, y, 0.0));
}

void TFerrovane::AddMotorBtnClick()
{
    LeaveCompassMode();
    const int32_t y = RandomInt(100, FSurfaceSize.Height - 100);
    const int32_t x = RandomInt(100, FSurfaceSize.Width - 100);
    AddSetter(std::make_unique<TaddMotorSetter>(x, y));
}

void TFerrovane::AddUniformFieldClick()
{
    LeaveCompassMode();
    AddSetter(std::make_unique<TToggleUniformFieldSetter>(UniformFieldStrength));
}

void TFerrovane::UniformFlipBtnClick()
{
    LeaveCompassMode();
    AddSetter(std::make_unique<TFlipUniformFieldSetter>());
}

void TFerrovane::MoveBTNClick()
{
    LeaveCompassMode();
    MB->SetMovementON(MoveBTN->isChecked());
}

void TFerrovane::CopyToCliboardBtnClick()
{
    LeaveCompassMode();
    AddSetter(std::make_unique<TSaveToClipboardSetter>());
}

void TFerrovane::HasGridONClick()
{
    LeaveCompassMode();
    MB->SetHasGrid(HasGridON->isChecked());
    QueueUpdate(false);
}

void TFerrovane::FieldStrengthONClick()
{
    LeaveCompassMode();
    MB->SetHasFieldMap(FieldStrengthON->isChecked());
    QueueUpdate(false);
}

void TFerrovane::FieldLinesOnClick()
{
    LeaveCompassMode();
    MB->SetHasFieldLines(FieldLinesOn->isChecked());
    QueueUpdate(false);
}

void TFerrovane::IronFilingsONClick()
{
    LeaveCompassMode();
    const bool down = IronFilingsON->isChecked();
    MB->SetHasIronFilings(down);
    if (!down) {
        // The filings stay in the scene, hidden.
        AddingFilingsON->setChecked(false);
        MB->SetIsRemovingFilings(false);
        MB->SetIsAddingFilings(false);
        AddingFilingsON->hide();
        AddingFilingsON->setEnabled(false);
        ClearFilings->hide();
        ClearFilings->setEnabled(false);
    } else {
        AddingFilingsON->setChecked(true);
        MB->SetIsAddingFilings(true);
        AddingFilingsON->show();
        AddingFilingsON->setEnabled(true);
        ClearFilings->show();
        ClearFilings->setEnabled(true);
    }
    QueueUpdate(false);
}

void TFerrovane::AddingFilingsONClick()
{
    LeaveCompassMode();
    MB->SetIsRemovingFilings(false);
    MB->SetIsAddingFilings(AddingFilingsON->isChecked());
    if (MB->IsAddingFilings() || MB->IsRemovingFilings()) {
        IronFilingsON->setChecked(true);
        MB->SetHasIronFilings(true);
    }
    QueueUpdate(false);
}

void TFerrovane::ClearFilingsClick()
{
    LeaveCompassMode();
    AddSetter(std::make_unique<TClearFilingsSetter>());
}

void TFerrovane::ClearAllBtnClick()
{
    LeaveCompassMode();
    QMessageBox question(QMessageBox::Question, QStringLiteral("Ferrovane"),
                         QStringLiteral("Are you sure you want to reset everything?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setObjectName(QStringLiteral("ResetConfirmation"));
    if (question.exec() != QMessageBox::Yes || FClosed) {
        return;
    }
    AddSetter(std::make_unique<TClearToSingleMagnetSetter>(box->width() / 2, box->height() / 2));
    ResetDisplayButtons();
}

void TFerrovane::boxMouseDown(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown)
{
    FLastMouseX = X;
    FLastMouseY = Y;
    AddSetter(std::make_unique<TMouseDownSetter>(X, Y, HasCtrlDown, HasRightDown, HasShiftDown));
}

void TFerrovane::boxMouseMove(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown)
{
    FLastMouseX = X;
    FLastMouseY = Y;
    AddSetter(std::make_unique<TMouseMoveSetter>(X, Y, HasCtrlDown, HasRightDown, HasShiftDown));
}

void TFerrovane::boxMouseUp(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown)
{
    FLastMouseX = X;
    FLastMouseY = Y;
    AddSetter(std::make_unique<TMouseUpSetter>(X, Y, HasCtrlDown, HasRightDown, HasShiftDown));
}

void TFerrovane::boxDblClick(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown)
{
    // Qt's double-click event is the second press of the double click, at the pointer's position;
    // the platform the bench was made for reports a double click and then that press, so both are
    // queued, and the release that follows has its press.
    FLastMouseX = X;
    FLastMouseY = Y;
    AddSetter(std::make_unique<TDoubleClickSetter>(FLastMouseX, FLastMouseY));
    AddSetter(std::make_unique<TMouseDownSetter>(X, Y, HasCtrlDown, HasRightDown, HasShiftDown));
}

void TFerrovane::boxGrabLost()
{
    // A release that will never come: end the gesture as a release at the last known position
    // would, without the shift key (so it never changes the selection by itself).
    AddSetter(std::make_unique<TMouseUpSetter>(FLastMouseX, FLastMouseY, false, false, false));
}

void TFerrovane::boxPaint()
{
    if (FClosed) {
        return;
    }
    if (FSurfaceSize.Width != box->width() || FSurfaceSize.Height != box->height()) {
        QueueUpdate(true);
    }
}

void TFerrovane::About1Click()
{
    auto* about = new TAboutWindow(TAboutWindow::TMode::UntilClicked, this);
    about->ShowCentred();
}
