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

static QStyle::StandardPixmap StandardIcon(TTaskDialogSpec::TIcon icon)
{
    switch (icon) {
    case TTaskDialogSpec::TIcon::Information: return QStyle::SP_MessageBoxInformation;
    case TTaskDialogSpec::TIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case TTaskDialogSpec::TIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case TTaskDialogSpec::TIcon::Error: return QStyle::SP_MessageBoxCritical;
    case TTaskDialogSpec::TIcon::None: break;
    }
    return QStyle::SP_CustomBase;
}

TTaskDialog::TTaskDialog(const TTaskDialogSpec &request, QWidget *parent)
    : QDialog(parent), FRequest(request)
{
    setObjectName(QStringLiteral("TaskDialog"));
    setWindowTitle(request.Title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *top = new QHBoxLayout;
    if (request.Icon != TTaskDialogSpec::TIcon::None) {
        auto *icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("icon"));
        icon->setPixmap(style()->standardIcon(StandardIcon(request.Icon)).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        top->addWidget(icon);
    }
    auto *texts = new QVBoxLayout;
    auto *instruction = new QLabel(request.Instruction, this);
    instruction->setObjectName(QStringLiteral("instruction"));
    QFont big = instruction->font();
    big.setPixelSize(qMax(big.pixelSize(), 11) * 3 / 2);
    instruction->setFont(big);
    instruction->setStyleSheet(QStringLiteral("color: #003399;"));
    instruction->setWordWrap(true);
    instruction->setVisible(!request.Instruction.isEmpty());
    texts->addWidget(instruction);
    auto *content = new QLabel(request.Content, this);
    content->setObjectName(QStringLiteral("content"));
    content->setWordWrap(true);
    content->setVisible(!request.Content.isEmpty());
    texts->addWidget(content);

    auto *links = new QVBoxLayout;
    auto *pushes = new QHBoxLayout;
    pushes->addStretch();
    for (qsizetype i = 0; i < request.CustomButtons.size(); ++i) {
        const int result = 100 + int(i);
        QPushButton *button = request.CommandLinks
            ? new QCommandLinkButton(request.CustomButtons[i], this)
            : new QPushButton(request.CustomButtons[i], this);
        if (request.CommandLinks)
            KeepSansWithoutSegoe(button);
        (request.CommandLinks ? static_cast<QBoxLayout *>(links) : pushes)->addWidget(button);
        FButtons.append({result, button});
    }
    texts->addLayout(links);
    top->addLayout(texts, 1);

    if (request.CommonButtons & TTaskDialogSpec::OkButton) {
        auto *ok = new QPushButton(tr("OK"), this);
        pushes->addWidget(ok);
        FButtons.append({kTaskDialogOk, ok});
    }
    for (const auto &[result, button] : FButtons) {
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, result = result] { Choose(result); });
    }
    if (QPushButton *chosen = ButtonFor(request.DefaultButton)) {
        chosen->setDefault(true);
        chosen->setFocus();
    }

    auto *bottom = new QHBoxLayout;
    if (!request.ExpandedText.isEmpty()) {
        FDetailsToggle = new QPushButton(this);
        FDetailsToggle->setObjectName(QStringLiteral("detailsToggle"));
        FDetailsToggle->setFlat(true);
        FDetailsToggle->setAutoDefault(false);
        FDetailsToggle->setCursor(Qt::PointingHandCursor);
        bottom->addWidget(FDetailsToggle);
        FDetails = new QLabel(request.ExpandedText, this);
        FDetails->setObjectName(QStringLiteral("details"));
        FDetails->setWordWrap(true);
        connect(FDetailsToggle, &QPushButton::clicked, this, [this] { SetDetailsShown(!DetailsShown()); });
    }
    bottom->addLayout(pushes, 1);

    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom);
    if (FDetails)
        all->addWidget(FDetails);
    all->setSizeConstraint(QLayout::SetFixedSize);
    SetDetailsShown(false);
}

QPushButton *TTaskDialog::ButtonFor(int result) const
{
    for (const auto &[r, button] : FButtons)
        if (r == result)
            return button;
    return nullptr;
}

void TTaskDialog::SetDetailsShown(bool shown)
{
    if (!FDetails)
        return;
    FDetails->setVisible(shown);
    FDetailsToggle->setText((shown ? QStringLiteral("\u25B2 ") : QStringLiteral("\u25BC "))
                            + (shown ? FRequest.ExpandControlText : FRequest.CollapseControlText));
}

bool TTaskDialog::DetailsShown() const
{
    return FDetails && !FDetails->isHidden();
}

void TTaskDialog::Choose(int result)
{
    FResult = result;
    accept();
}

int TTaskDialog::Run()
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
