#pragma once
#include <QButtonGroup>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QList>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStringList>
#include <QTimeEdit>

// A group of radio buttons of which exactly one is chosen, laid out in columns.
// ItemIndexChanged fires whenever the choice changes, by the user or the program;
// setting the index it already has fires nothing.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // The buttons are named name_0, name_1, ...
    TRadioGroup(const QString &name, const QString &title, const QStringList &items, int columns,
                QWidget *parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const { return int(FButtons.size()); }
    QRadioButton *Button(int index) const { return FButtons.value(index); }
    QStringList Items() const;

signals:
    void ItemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void PlaceButtons();
    void UpdateTabStop();

    QButtonGroup *FGroup;
    QList<QRadioButton *> FButtons;
    int FColumns;
};

// A panel whose background is a vertical gradient with a frame line; the visual
// style chooses the colours.
class TGradientPanel : public QFrame {
    Q_OBJECT
public:
    explicit TGradientPanel(QWidget *parent = nullptr);

    void SetColors(const QColor &top, const QColor &bottom, const QColor &border);
    QColor TopColor() const { return FTop; }
    QColor BottomColor() const { return FBottom; }
    QColor BorderColor() const { return FBorder; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor FTop, FBottom, FBorder;
};

// The look of the window's drop-down lists: a drop-down button as narrow as the
// platform's own and a thin frame, so that the text gets the room the designed
// width of the list leaves it. Everything else follows the application style.
class TCompactComboStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 16;

    using QProxyStyle::QProxyStyle;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override;
};

// A drop-down list of the window. A class of its own, so that assistive technology
// is given the window's account of it (Accessibility.cpp) instead of the toolkit's.
class TDropDownList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
};

// A date or time field that is one stop of the Tab key, like the date and time
// pickers of the system the tool comes from: Tab and Shift+Tab leave it, Left and
// Right move between its parts (hours, minutes, seconds; day, month, year) and
// select the part reached, which the Up and Down keys then change.
template <class Field>
class TOneStopField : public Field {
public:
    using Field::Field;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!plain || (key != Qt::Key_Left && key != Qt::Key_Right)) {
            Field::keyPressEvent(event);
            return;
        }
        const bool forward = (key == Qt::Key_Right) != this->isRightToLeft();
        const int part = this->currentSectionIndex() + (forward ? 1 : -1);
        if (part >= 0 && part < this->sectionCount())
            this->setSelectedSection(this->sectionAt(part));
        event->accept();
    }
};
using TTimeField = TOneStopField<QTimeEdit>;
using TDateField = TOneStopField<QDateEdit>;
