#pragma once

#include <QIcon>
#include <QString>
#include <QToolButton>

// The flat button of the window's two columns: a picture with an optional caption, either a push
// button or a toggle that stays down until it is pressed again. It is drawn flat until the pointer
// is over it and never takes the keyboard focus, so the work area keeps it.
//
// The window reacts to clicked() only, which Qt emits for a user's click (or click()) but not for
// setChecked, setVisible or setEnabled: so the program can set a button's state without running its
// handler. An optional picture replaces the normal one while the button is held down.
//
// Threads: user-interface thread only.
class TSpeedButton : public QToolButton {
    Q_OBJECT

public:
    enum class TKind { Push, Toggle };
    enum class TLayout { PictureBeside, PictureAbove, PictureOnly };

    TSpeedButton(QWidget* parent, const QString& name, const QString& caption, TKind kind, TLayout layout);

    // The picture shown while the button is held down; an empty icon shows the normal one.
    void SetPressedIcon(const QIcon& icon);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon FPressedIcon;
};
