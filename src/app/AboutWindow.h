#pragma once

#include <QFrame>

class QPropertyAnimation;

// The about window: a borderless window with our picture of a bar magnet and its field, the name,
// the version of this build, a short licence notice and the credits (kept scrambled in the
// program, see Credits.h).
//
// As a splash screen (at start) it fades out after two seconds, or at once when it is clicked;
// opened from the preset menu it stays until it is clicked, then fades out. Either way it closes
// and deletes itself when the fade has finished. It never keeps the program running on its own.
//
// Threads: user-interface thread only.
class TAboutWindow : public QFrame {
    Q_OBJECT

public:
    enum class TMode { Splash, UntilClicked };

    // Milliseconds a splash stays before it fades, and the length of the fade.
    static constexpr int SplashMs = 2000;
    static constexpr int FadeMs = 300;

    explicit TAboutWindow(TMode mode, QWidget* parent = nullptr);

    // Centres the window on the screen and shows it.
    void ShowCentred();
    // Starts the fade (once); the window closes when it has faded.
    void FadeOut();
    bool IsFading() const { return FFading; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool FFading = false;
};
