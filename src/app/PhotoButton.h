#pragma once
// The device photo in the window's right panel: a button that tests the connection,
// with the prompt written on its pictured display by three labels of their own.

#include <QAbstractButton>
#include <QLabel>
#include <QPixmap>

// The photo as a button: it shows its picture in the picture's own size, with a
// focus frame while it has the keyboard focus; a click, the space bar and the
// press action of assistive technology press it, as any button of the toolkit.
class TPhotoButton : public QAbstractButton {
    Q_OBJECT
public:
    using QAbstractButton::QAbstractButton;

    QPixmap Picture() const { return FPicture; }
    void SetPicture(const QPixmap &picture);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap FPicture;
};

// A line of the prompt lying on the photo. A click on it tests the connection as a
// click on the photo does; it stays enabled while the photo is disabled during an
// exchange. Assistive technology passes it over: the photo is named by the prompt.
class TPhotoPrompt : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
