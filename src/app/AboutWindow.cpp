#include "AboutWindow.h"

#include "Credits.h"
#include "ResourcePictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The picture's size in the window, in pixels (the SVG's own size).
constexpr int PictureWidth = 360;
constexpr int PictureHeight = 200;

QLabel* AddText(QVBoxLayout& layout, QWidget* parent, const QString& name, const QString& text, qreal pointScale,
                bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * pointScale);
    font.setBold(bold);
    label->setFont(font);
    layout.addWidget(label);
    return label;
}

} // namespace

TAboutWindow::TAboutWindow(TMode mode, QWidget* parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint | (mode == TMode::Splash ? Qt::SplashScreen : Qt::Tool))
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Ferrovane"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, QColor(32, 32, 32));
    setPalette(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 12);
    layout->setSpacing(6);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("AboutPicture"));
    picture->setPixmap(RenderPicture(QStringLiteral("about"), QSize(PictureWidth, PictureHeight), devicePixelRatioF()));
    picture->setFixedSize(PictureWidth, PictureHeight);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    AddText(*layout, this, QStringLiteral("AboutName"), QStringLiteral("Ferrovane"), 1.8, true);
    AddText(*layout, this, QStringLiteral("AboutVersion"), QStringLiteral("Version %1").arg(QStringLiteral(FERROVANE_VERSION)),
            1.0, false);
    AddText(*layout, this, QStringLiteral("AboutLicence"),
            QStringLiteral("Free software for the classroom: use, copy, change and share it freely. "
                           "It comes without any warranty."),
            0.85, false);
    AddText(*layout, this, QStringLiteral("AboutCredits"), QString::fromStdString(CreditsText()), 0.85, false);

    setFixedWidth(PictureWidth + 2);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setContentsMargins(label == picture ? 0 : 12, 0, label == picture ? 0 : 12, 0);
    }
    adjustSize();

    if (mode == TMode::Splash) {
        QTimer::singleShot(SplashMs, this, &TAboutWindow::FadeOut);
    }
}

void TAboutWindow::ShowCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
}

void TAboutWindow::FadeOut()
{
    if (FFading) {
        return;
    }
    FFading = true;
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(FadeMs);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &QWidget::close);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void TAboutWindow::mousePressEvent(QMouseEvent*) { FadeOut(); }
