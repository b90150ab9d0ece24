#include "Pictures.h"

#include <QFileInfo>

QPixmap LoadPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio >= 1.5) {
        const QFileInfo info(path);
        const QString doubled = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.")
                                + info.suffix();
        QPixmap picture(doubled);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    return QPixmap(path);
}
