#include "Placement.h"

namespace Placement {

ToolConfig::TPlacementRecord PullBackIntoVirtualScreen(ToolConfig::TPlacementRecord p,
                                                       QSize virtualScreen)
{
    if (p.Right > virtualScreen.width()) {
        p.Left -= p.Right - virtualScreen.width();
        p.Right = virtualScreen.width();
    }
    if (p.Bottom > virtualScreen.height()) {
        p.Top -= p.Bottom - virtualScreen.height();
        p.Bottom = virtualScreen.height();
    }
    return p;
}

QPoint SnapToWorkArea(QPoint requested, QSize windowSize, const QRect &workArea, int distance)
{
    // Edges as coordinates, right and bottom exclusive.
    const int left = workArea.x();
    const int top = workArea.y();
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    int x = requested.x();
    int y = requested.y();
    if (x < left + distance)
        x = left;
    if (y < top + distance)
        y = top;
    if (y + windowSize.height() > bottom - distance)
        y = bottom - windowSize.height();
    if (x + windowSize.width() > right - distance)
        x = right - windowSize.width();
    return {x, y};
}

}  // namespace Placement
