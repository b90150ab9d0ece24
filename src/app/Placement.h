#pragma once
#include "ToolConfig.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The rules of the window placement, free of any window: pulling a stored
// rectangle back into the virtual screen and snapping the window to the edges of
// the work area.
namespace Placement {

// How close to an edge of the work area the window snaps to it, in pixels.
inline constexpr int kMagnetDistance = 32;

// A stored rectangle that reaches beyond the right or bottom of the virtual
// screen (all monitors; width and height from its origin 0, 0) is moved back by
// the excess. A negative left or top stays as it is.
ToolConfig::TPlacementRecord PullBackIntoVirtualScreen(ToolConfig::TPlacementRecord placement,
                                                       QSize virtualScreen);

// The position a window of the given size takes when it is asked to go to
// requested: within distance of an edge of the work area, or beyond it, it is
// placed flush against that edge. Left and top are checked before bottom and
// right, so a window larger than the work area keeps its right and bottom edges
// inside.
QPoint SnapToWorkArea(QPoint requested, QSize windowSize, const QRect &workArea,
                      int distance = kMagnetDistance);

}  // namespace Placement
