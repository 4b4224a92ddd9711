#pragma once

#include "commands/BasePropertySetter.h"
#include "loop/PlatformServices.h"
#include "scenes/PresetScenes.h"

#include "SpeedButton.h"

#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QThread;
class TDrawThread;
class TFastDIB;
class TMagnetBench;
class TPaintBox;
class TQtPlatform;

// The main window "Ferrovane": the work area between a column of buttons on each side, the hidden
// timing label and the pop-up menu of preset scenes.
//
// It owns the bench, the shared surface, the command queue and the frame loop, creates them in a
// fixed order when it is constructed and destroys them in a fixed order when it is closed (or
// destroyed without having been closed). Its handlers queue commands; for the display switches
// and motion they write the bench's switches directly; and they keep the buttons' own states
// consistent. After every batch of commands the frame loop calls SyncToMB, which brings the
// buttons that follow the scene into line with the bench.
//
// Threads: every member runs in the user-interface thread. The render thread reaches the window
// only through the platform (TQtPlatform), inside synchronized steps, and through the work area's
// size.
class TFerrovane : public QWidget, public TPresetHost {
    Q_OBJECT

public:
    // Client size at start, and the smallest outer size of the window, in pixels.
    static constexpr int StartClientWidth = 941;
    static constexpr int StartClientHeight = 622;
    static constexpr int MinOuterWidth = 400;
    static constexpr int MinOuterHeight = 540;

    // Runs the start sequence: seeds the random generator, creates the shared surface, the queue
    // and the bench, hands the bench its bin icons, switches the grid on, places one magnet at the
    // centre of the work area, and last starts the frame loop. The start-up tables must exist
    // (EnsureStartupTables).
    explicit TFerrovane(QWidget* parent = nullptr);
    ~TFerrovane() override;

    TFerrovane(const TFerrovane&) = delete;
    TFerrovane& operator=(const TFerrovane&) = delete;

    // Centres the window on the screen and shows it.
    void ShowCentred();

    // ---- the window's operations ----
    // Appends a command to the queue; every command of the program enters it here. Ignored once
    // the window has closed.
    void AddSetter(std::unique_ptr<TBasePropertySetter> setter) override;
    // A new 44 x 44, 24-bit picture of bin icon `Index` (0 closed, 1 lid lifted) on white.
    static std::unique_ptr<TFastDIB> LoadFromImageList(int Index);
    void LeaveCompassMode();
    void ResetDisplayButtons() override;
    void ResetToEmpty();
    void ResetToGridOnly(bool Movement);
    void ResetToFieldLinesOnly(bool Movement);
    void QueueUpdate(bool aUseDoubleBuffer);
    // The frame loop's callback at the end of every synchronized step.
    void SyncToMB();

    // ---- the preset scenes' side of the window ----
    int FrameWidth() const override { return FSurfaceSize.Width; }
    int FrameHeight() const override { return FSurfaceSize.Height; }
    void PressGridButton() override;
    void PressFieldLinesButton() override;
    void SetBenchHasFieldLines(bool value) override;

    // ---- for tests ----
    TPaintBox* PaintBox() const { return box; }
    QMenu* PresetMenu() const { return FPresetMenu; }
    QLabel* TimingLabel() const { return Label1; }
    // The commands queued and not yet run.
    const TSetterList& QueuedSetters() const;
    // The shared surface's size as of the last synchronized step.
    TPaintAreaSize SurfaceSize() const { return FSurfaceSize; }
    // Runs `inspect` at the end of the next synchronized step, when every command queued before
    // this call has run and SyncToMB has aligned the buttons, while the render thread waits: the
    // only safe moment to read the bench from the user-interface thread. An empty function cancels.
    void InspectAfterNextBatch(std::function<void(const TMagnetBench&)> inspect);
    // Whether the window has closed and its bench, surface and frame loop are gone.
    bool IsClosed() const { return FClosed; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum TAnchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };
    // A control's rectangle at the start size and the edges whose distances it keeps.
    struct TAnchoredControl {
        QWidget* Control = nullptr;
        QRect StartRect;
        unsigned Anchors = AnchorLeft | AnchorTop;
    };

    void CreateControls();
    TSpeedButton* AddButton(const char* name, const QString& caption, TSpeedButton::TKind kind,
                            TSpeedButton::TLayout layout, QRect rect, unsigned anchors, const char* picture,
                            QSize pictureSize, const QString& toolTip);
    void Anchor(QWidget* control, QRect startRect, unsigned anchors);
    void PlaceControls();
    void BuildPresetMenu();
    void UpdateMinimumSize();
    // Connects a button's click to a handler that runs only while the window is open.
    void OnClick(TSpeedButton* button, void (TFerrovane::*handler)());
    // The closing order: queued commands, the frame loop, the surface, the bench.
    void FormDestroy();

    // ---- handlers ----
    void PresetsBtnClick();
    void AddMagnetClickClick();
    void AddCompassClick();
    void AddWireClick();
    void AddSolonoidClick();
    void AddMotorBtnClick();
    void AddUniformFieldClick();
    void UniformFlipBtnClick();
    void MoveBTNClick();
    void CopyToCliboardBtnClick();
    void HasGridONClick();
    void FieldStrengthONClick();
    void FieldLinesOnClick();
    void IronFilingsONClick();
    void AddingFilingsONClick();
    void ClearFilingsClick();
    void ClearAllBtnClick();
    void boxMouseDown(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown);
    void boxMouseMove(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown);
    void boxMouseUp(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown);
    void boxDblClick(int32_t X, int32_t Y, bool HasCtrlDown, bool HasRightDown, bool HasShiftDown);
    void boxGrabLost();
    void boxPaint();
    void About1Click();

    // ---- controls (children of the window, deleted by Qt) ----
    TPaintBox* box = nullptr;
    TSpeedButton* PresetsBtn = nullptr;
    TSpeedButton* AddMagnetClick = nullptr;
    TSpeedButton* AddCompass = nullptr;
    TSpeedButton* AddWire = nullptr;
    TSpeedButton* AddSolonoid = nullptr;
    TSpeedButton* AddMotorBtn = nullptr;
    TSpeedButton* AddUniformField = nullptr;
    TSpeedButton* UniformFlipBtn = nullptr;
    QLabel* Label1 = nullptr;
    TSpeedButton* MoveBTN = nullptr;
    TSpeedButton* CopyToCliboardBtn = nullptr;
    TSpeedButton* HasGridON = nullptr;
    TSpeedButton* FieldStrengthON = nullptr;
    TSpeedButton* FieldLinesOn = nullptr;
    TSpeedButton* IronFilingsON = nullptr;
    TSpeedButton* AddingFilingsON = nullptr;
    TSpeedButton* ClearFilings = nullptr;
    TSpeedButton* ClearAllBtn = nullptr;
    QMenu* FPresetMenu = nullptr;
    std::vector<TAnchoredControl> FAnchored;

    // ---- owned by the window, created in the start order, destroyed in the closing order ----
    std::unique_ptr<TFastDIB> BMP;
    std::unique_ptr<TSetterList> SetterList;
    std::unique_ptr<TMagnetBench> MB;
    std::unique_ptr<TQtPlatform> FPlatform; // lives until the window is destroyed
    std::unique_ptr<TDrawThread> DrawThread;
    std::unique_ptr<QThread> FRenderThread;

    // The last pointer position a press, move, release or double click reported, in bench pixels.
    int32_t FLastMouseX = 0;
    int32_t FLastMouseY = 0;
    // The shared surface's size, copied in every synchronized step (when the render thread waits),
    // so the user-interface thread never reads the surface itself.
    TPaintAreaSize FSurfaceSize;
    std::function<void(const TMagnetBench&)> FInspect;
    // The window decoration's share of the outer size, as last seen (-1 before the first look).
    QSize FDecoration{-1, -1};
    bool FClosed = false;
};
