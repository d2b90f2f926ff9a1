#include "main/WindowSnapping.h"

namespace {

constexpr int kSnapDistance = 10;

}  // namespace

WindowPlacement SnapToWorkArea(WindowPlacement w, const ScreenRect& area) {
    if (w.x < 0) {
        w.x -= kSnapDistance;
    }
    if (w.x + w.width > area.right) {
        w.x += kSnapDistance;
    }
    if (w.y < 0) {
        w.y -= kSnapDistance;
    }
    if (w.y + w.height > area.bottom) {
        w.y += kSnapDistance;
    }

    if (w.x >= 0 && w.x <= area.left + kSnapDistance) {
        w.x = area.left;
    }
    if (w.x + w.width >= area.right - kSnapDistance && w.x + w.width <= area.right) {
        w.x = area.right - w.width;
    }
    if (w.y >= 0 && w.y <= area.top + kSnapDistance) {
        w.y = area.top;
    }
    if (w.y + w.height >= area.bottom - kSnapDistance && w.y + w.height <= area.bottom) {
        w.y = area.bottom - w.height;
    }
    return w;
}
