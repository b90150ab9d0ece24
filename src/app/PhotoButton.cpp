#include "PhotoButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

void TPhotoButton::SetPicture(const QPixmap &picture)
{
    FPicture = picture;
    updateGeometry();
    update();
}

QSize TPhotoButton::sizeHint() const
{
    return FPicture.deviceIndependentSize().toSize();
}

void TPhotoButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Drawn as a picture label draws it: greyed while disabled, no pressed look.
    QStyleOption option;
    option.initFrom(this);
    const QPixmap shown = isEnabled() ? FPicture : style()->generatedIconPixmap(QIcon::Disabled, FPicture, &option);
    style()->drawItemPixmap(&painter, rect(), QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter),
                            shown);
    if (!hasFocus())
        return;
    // Drawn by hand: some styles draw no focus frame on a picture.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    QRect visible = rect();  // the part the parent does not cut off
    if (parentWidget())
        visible &= QRect(mapFromParent(QPoint(0, 0)), parentWidget()->size());
    painter.drawRoundedRect(QRectF(visible).adjusted(1, 1, -1, -1), 4, 4);
}

void TPhotoPrompt::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}
