#include "ResourcePictures.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap RenderPicture(const QString& name, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pixmap;
}

void AddPicture(QIcon& icon, const QString& name, QSize size, QIcon::Mode mode, QIcon::State state)
{
    for (const qreal ratio : {1.0, 2.0}) {
        icon.addPixmap(RenderPicture(name, size, ratio), mode, state);
    }
}

QIcon PictureIcon(const QString& name, QSize size)
{
    QIcon icon;
    AddPicture(icon, name, size, QIcon::Normal, QIcon::Off);
    return icon;
}
