#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures (src/app/resources, compiled in under ":/pictures/"), drawn from
// their SVG at exact pixel sizes, so that outlines laid on the pixel grid stay crisp.
//
// Threads: user-interface thread only (QPixmap).

// The picture `name` (without ".svg") at `size` device-independent pixels, for a screen of the
// given pixel ratio. A missing picture gives a transparent pixmap.
QPixmap RenderPicture(const QString& name, QSize size, qreal devicePixelRatio = 1.0);

// An icon holding the picture at `size` for pixel ratios 1 and 2; `mode` and `state` say where
// it goes when it is added to an existing icon.
QIcon PictureIcon(const QString& name, QSize size);
void AddPicture(QIcon& icon, const QString& name, QSize size, QIcon::Mode mode, QIcon::State state);
