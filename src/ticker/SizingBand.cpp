#include "ticker/SizingBand.h"

namespace {
constexpr int Band = 5;
}

SizingZone SizingZoneAt(int x, int y, int w, int h)
{
    const bool left = x < Band;
    const bool top = y < Band;
    const bool right = x > w - Band;
    const bool bottom = y > h - Band;
    if (left && top)
        return SizingZone::TopLeft;
    if (right && top)
        return SizingZone::TopRight;
    if (right && bottom)
        return SizingZone::BottomRight;
    if (left && bottom)
        return SizingZone::BottomLeft;
    if (left)
        return SizingZone::Left;
    if (top)
        return SizingZone::Top;
    if (right)
        return SizingZone::Right;
    if (bottom)
        return SizingZone::Bottom;
    return SizingZone::None;
}

Qt::CursorShape SizingCursor(SizingZone zone)
{
    switch (zone) {
    case SizingZone::TopLeft:
    case SizingZone::BottomRight:
        return Qt::SizeFDiagCursor;
    case SizingZone::TopRight:
    case SizingZone::BottomLeft:
        return Qt::SizeBDiagCursor;
    case SizingZone::Left:
    case SizingZone::Right:
        return Qt::SizeHorCursor;
    case SizingZone::Top:
    case SizingZone::Bottom:
        return Qt::SizeVerCursor;
    case SizingZone::None:
        break;
    }
    return Qt::ArrowCursor;
}
