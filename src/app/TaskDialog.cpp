#include "TaskDialog.h"

#include <QApplication>
#include <QCommandLinkButton>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The Windows style gives command links the family Segoe UI alone; where that is
// missing (older systems, Wine) the toolkit would fall back to a serif face.
void KeepSansWithoutSegoe(QWidget *button)
{
    button->ensurePolished();
    QFont font = button->font();
    QStringList families = font.families();
    if (families.isEmpty() || families.contains(QStringLiteral("Tahoma")))
        return;
    families << QStringLiteral("Tahoma");
    font.setFamilies(families);
    button->setFont(font);
}

}  // namespace

static QStyle::StandardPixmap StandardIcon(TaskDialogSpec::Icon icon)
{
    switch (icon) {
    case TaskDialogSpec::Icon::Information: return QStyle::SP_MessageBoxInformation;
    case TaskDialogSpec::Icon::Question: return QStyle::SP_MessageBoxQuestion;
    case TaskDialogSpec::Icon::Warning: return QStyle::SP_MessageBoxWarning;
    case TaskDialogSpec::Icon::Error: return QStyle::SP_MessageBoxCritical;
    case TaskDialogSpec::Icon::None: break;
    }
    return QStyle::SP_CustomBase;
}

TTaskDialog::TTaskDialog(const TaskDialogSpec &request, QWidget *parent)
    : QDialog(parent), FRequest(request)
{
    setObjectName(QStringLiteral("TaskDialog"));
    setWindowTitle(request.title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *top = new QHBoxLayout;
    if (request.icon != TaskDialogSpec::Icon::None) {
        auto *icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        icon->setPixmap(style()->standardIcon(StandardIcon(request.icon)).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
    }
    auto *texts = new QVBoxLayout;
    auto *instruction = new QLabel(request.instruction, this);
    instruction->setObjectName(QStringLiteral("instruction"));
    QFont big = instruction->font();
    big.setPixelSize(qMax(big.pixelSize(), 11) * 3 / 2);
    instruction->setFont(big);
    instruction->setStyleSheet(QStringLiteral("color: #003399;"));
    instruction->setWordWrap(true);
    instruction->setVisible(!request.instruction.isEmpty());
    texts->addWidget(instruction);
    auto *content = new QLabel(request.content, this);
    content->setObjectName(QStringLiteral("content"));
    content->setWordWrap(true);
    content->setVisible(!request.content.isEmpty());
    texts->addWidget(content);

    auto *links = new QVBoxLayout;
    auto *pushes = new QHBoxLayout;
    pushes->addStretch();
    for (qsizetype i = 0; i < request.customButtons.size(); ++i) {
        const int result = 100 + int(i);
        QPushButton *button = request.commandLinks
            ? new QCommandLinkButton(request.customButtons[i], this)
            : new QPushButton(request.customButtons[i], this);
        if (request.commandLinks)
            KeepSansWithoutSegoe(button);
        (request.commandLinks ? static_cast<QBoxLayout *>(links) : pushes)->addWidget(button);
        FButtons.append({result, button});
    }
    texts->addLayout(links);
    top->addLayout(texts, 1);

    if (request.commonButtons & TaskDialogSpec::OkButton) {
        auto *ok = new QPushButton(tr("OK"), this);
        pushes->addWidget(ok);
        FButtons.append({kTaskDialogOk, ok});
    }
    for (const auto &[result, button] : FButtons) {
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, result = result] { choose(result); });
    }
    if (QPushButton *chosen = buttonFor(request.defaultButton)) {
        chosen->setDefault(true);
        chosen->setFocus();
    }

    auto *bottom = new QHBoxLayout;
    if (!request.expandedText.isEmpty()) {
        FDetailsToggle = new QPushButton(this);
        FDetailsToggle->setObjectName(QStringLiteral("detailsToggle"));
        FDetailsToggle->setFlat(true);
        FDetailsToggle->setAutoDefault(false);
        FDetailsToggle->setCursor(Qt::PointingHandCursor);
        bottom->addWidget(FDetailsToggle);
        FDetails = new QLabel(request.expandedText, this);
        FDetails->setObjectName(QStringLiteral("details"));
        FDetails->setWordWrap(true);
        connect(FDetailsToggle, &QPushButton::clicked, this, [this] { setDetailsShown(!detailsShown()); });
    }
    bottom->addLayout(pushes, 1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom);
    if (FDetails)
        all->addWidget(FDetails);
    all->setSizeConstraint(QLayout::SetFixedSize);
    setDetailsShown(false);
}

QPushButton *TTaskDialog::buttonFor(int result) const
{
    for (const auto &[r, button] : FButtons)
        if (r == result)
            return button;
    return nullptr;
}

void TTaskDialog::setDetailsShown(bool shown)
{
    if (!FDetails)
        return;
    FDetails->setVisible(shown);
    FDetailsToggle->setText((shown ? QStringLiteral("\u25B2 ") : QStringLiteral("\u25BC "))
                            + (shown ? FRequest.expandControlText : FRequest.collapseControlText));
}

bool TTaskDialog::detailsShown() const
{
    return FDetails && !FDetails->isHidden();
}

void TTaskDialog::choose(int result)
{
    FResult = result;
    accept();
}

int TTaskDialog::run()
{
    FResult = kTaskDialogCancel;
    adjustSize();
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner ? owner->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
    exec();
    return FResult;
}
