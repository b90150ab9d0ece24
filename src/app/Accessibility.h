#pragma once
// What assistive technology sees of the window beyond what the controls tell by
// themselves: the chosen item of a drop-down list, the device photo named by its
// prompt, the link state announced when it changes.

#include <QString>

class QComboBox;
class QLabel;

// Registers the window's accessible interfaces with the toolkit (once per process).
void InstallAccessibleFactory();

// Tells assistive technology the item now chosen in a drop-down list that has the
// keyboard focus while its list is closed (a change with the arrow keys).
void AnnounceChoice(QComboBox *box);

// Tells assistive technology that the link state shown by label has changed.
void AnnounceLabelChange(QLabel *label);

// Which captions of the link label are news for assistive technology: each new
// state once. The blank half of a blink and the same state again are none.
class TLinkStateNews {
public:
    explicit TLinkStateNews(const QString &shown) : FLastTold(shown.simplified()) {}
    bool IsNews(const QString &caption)
    {
        const QString state = caption.simplified();
        if (state.isEmpty() || state == FLastTold)
            return false;
        FLastTold = state;
        return true;
    }

private:
    QString FLastTold;
};
