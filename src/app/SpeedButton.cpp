#include "SpeedButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

TSpeedButton::TSpeedButton(QWidget* parent, const QString& name, const QString& caption, TKind kind, TLayout layout)
    : QToolButton(parent)
{
    setObjectName(name);
    setText(caption);
    setCheckable(kind == TKind::Toggle);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    // The captions must fit beside a 24-pixel picture in an 82-pixel button.
    QFont captionFont = font();
    captionFont.setPointSizeF(8.0);
    setFont(captionFont);
    switch (layout) {
    case TLayout::PictureBeside:
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        break;
    case TLayout::PictureAbove:
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        break;
    case TLayout::PictureOnly:
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        break;
    }
}

void TSpeedButton::SetPressedIcon(const QIcon& icon)
{
    FPressedIcon = icon;
    update();
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    // What QToolButton draws, with the pressed picture swapped in while the button is down.
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    if (isDown() && !FPressedIcon.isNull()) {
        option.icon = FPressedIcon;
    }
    // Trailing spaces in a caption pushed it towards the picture where the caption was centred;
    // here it always starts right beside the picture, so they are not drawn (text() keeps them).
    qsizetype length = option.text.size();
    while (length > 0 && option.text.at(length - 1) == QLatin1Char(' ')) {
        --length;
    }
    option.text.truncate(length);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    // A toggle that is down gets a clear frame: the picture buttons are almost all picture, and
    // the style's own sunken edge around them is hard to see.
    if (isChecked()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}
