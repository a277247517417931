#pragma once

#include <Qt>

// Where a point of the ticker's rim sizes the panel from. The band is five pixels wide
// along every edge; a corner reaches five pixels along each of its two edges.
enum class SizingZone { None, TopLeft, TopRight, BottomRight, BottomLeft, Left, Top, Right, Bottom };

// (x, y) in the panel's coordinates, w and h the panel's size; the first matching rule wins,
// corners before edges.
SizingZone SizingZoneAt(int x, int y, int w, int h);
Qt::CursorShape SizingCursor(SizingZone zone);
