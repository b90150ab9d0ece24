#include "Controls.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

TRadioGroup::TRadioGroup(const QString &name, const QString &title, const QStringList &items, int columns,
                         QWidget *parent)
    : QGroupBox(title, parent), FGroup(new QButtonGroup(this)), FColumns(qMax(1, columns))
{
    setObjectName(name);
    for (qsizetype i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
        FGroup->addButton(button, int(i));
        FButtons.append(button);
    }
    connect(FGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        UpdateTabStop();
        if (checked)
            emit ItemIndexChanged(id);
    });
    UpdateTabStop();
}

// The group is one stop of the Tab key, at the chosen item (the first while none is
// chosen); the arrow keys move between the items.
void TRadioGroup::UpdateTabStop()
{
    const int chosen = qMax(0, FGroup->checkedId());
    for (qsizetype i = 0; i < FButtons.size(); ++i)
        FButtons[i]->setFocusPolicy(i == chosen ? Qt::StrongFocus : Qt::ClickFocus);
}

int TRadioGroup::ItemIndex() const
{
    return FGroup->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QRadioButton *chosen = Button(index))
        chosen->setChecked(true);
}

QStringList TRadioGroup::Items() const
{
    QStringList texts;
    for (const QRadioButton *button : FButtons)
        texts << button->text();
    return texts;
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    PlaceButtons();
}

// Items fill the area below the title row by row in equal columns, each row
// centred vertically in its share of the height.
void TRadioGroup::PlaceButtons()
{
    if (FButtons.isEmpty())
        return;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect area = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this)
                           .adjusted(6, 0, -4, 0);
    const int rows = (int(FButtons.size()) + FColumns - 1) / FColumns;
    const int columnWidth = area.width() / FColumns;
    const int rowHeight = area.height() / rows;
    for (qsizetype i = 0; i < FButtons.size(); ++i) {
        const int row = int(i) / FColumns, column = int(i) % FColumns;
        QRadioButton *button = FButtons[i];
        const int height = button->sizeHint().height();
        button->setGeometry(area.left() + column * columnWidth,
                            area.top() + row * rowHeight + (rowHeight - height) / 2,
                            columnWidth, height);
    }
}

TGradientPanel::TGradientPanel(QWidget *parent)
    : QFrame(parent), FTop(0xE3, 0xEF, 0xFF), FBottom(0xAF, 0xD2, 0xFF), FBorder(0x6F, 0x9D, 0xD9)
{
}

void TGradientPanel::SetColors(const QColor &top, const QColor &bottom, const QColor &border)
{
    FTop = top;
    FBottom = bottom;
    FBorder = border;
    update();
}

void TGradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, FTop);
    gradient.setColorAt(1, FBottom);
    painter.fillRect(rect(), gradient);
    painter.setPen(FBorder);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QRect TCompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                         SubControl part, const QWidget *widget) const
{
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (control != CC_ComboBox || !combo || combo->editable
        || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect r = option->rect;
    const QRect place = part == SC_ComboBoxArrow
        ? QRect(r.right() - kButtonWidth + 1, r.top(), kButtonWidth, r.height())
        : QRect(r.left() + 2, r.top() + 2, r.width() - kButtonWidth - 3, r.height() - 4);
    return visualRect(option->direction, r, place);
}
