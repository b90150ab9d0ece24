#pragma once
#include <QPixmap>
#include <QString>

// Loads a picture of the window's resources for a display of the given pixel
// ratio: on a display scaled to 150 % or more the picture drawn at twice its size
// (name@2x.ext) where there is one, so that it stays sharp; its size in the
// window's own pixels is the same either way.
QPixmap LoadPicture(const QString &path, qreal devicePixelRatio);
