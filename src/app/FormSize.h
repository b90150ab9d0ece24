#pragma once
#include "ToolConfig.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

// Keeps a window's placement in the tool configuration file and snaps the window
// to the edges of its screen's work area.
//
// The snapping applies to the window's restored position and, where the platform
// lets an application place its windows, shortly after the user has moved it.
class TFormSize : public QObject {
    Q_OBJECT
public:
    explicit TFormSize(QWidget *window);

    // The file that holds the placement (the tool configuration file).
    QString SaveName;

    // Reads the placement; missing keys keep the window where it is. The stored
    // rectangle is pulled back into the virtual screen and snapped; the window
    // keeps its own fixed size. Maximized is ignored: the window is never maximised.
    void RestorePlacement();

    // Writes Left, Top, Right, Bottom of the normal (not maximised) frame rectangle
    // and Maximized=0. Throws EProfileWriteError.
    void SavePlacement();

    // The placement the window has now, as it would be written.
    ToolConfig::TPlacementRecord CurrentPlacement() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SnapToWorkArea();
    void MoveFrameTo(QPoint topLeft);

    QWidget *FWindow;
    QTimer FSnapTimer;
    bool FPlacing = false;
};
