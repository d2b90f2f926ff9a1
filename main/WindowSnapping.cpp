#include "main/WindowSnapping.h"

namespace {

constexpr int kSnapDistance = 10;
// At least this much of the window must lie on the work area for the user to grab it.
constexpr int kVisibleWidth = 100;
constexpr int kVisibleHeight = 30;

int Limit(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

WindowPlacement OpeningPlacement(const WindowPlacement& saved,
                                 const ScreenRect& area,
                                 int minimumWidth,
                                 int minimumHeight) {
    int areaWidth = area.right - area.left;
    int areaHeight = area.bottom - area.top;
    WindowPlacement result;
    result.width = Limit(saved.width, minimumWidth, areaWidth > minimumWidth ? areaWidth : minimumWidth);
    result.height = Limit(saved.height, minimumHeight, areaHeight > minimumHeight ? areaHeight : minimumHeight);
    bool centred = saved.x == -1 || saved.y == -1;
    if (!centred) {
        // 64-bit sums: saved values come from a file and may be anything.
        long long right = static_cast<long long>(saved.x) + result.width;
        long long bottom = static_cast<long long>(saved.y) + result.height;
        bool reachable = right - area.left >= kVisibleWidth &&
                         area.right - static_cast<long long>(saved.x) >= kVisibleWidth &&
                         saved.y >= static_cast<long long>(area.top) - 5 &&
                         area.bottom - static_cast<long long>(saved.y) >= kVisibleHeight && bottom > area.top;
        centred = !reachable;
    }
    if (centred) {
        result = CentredPlacement(area, result.width, result.height);
    } else {
        result.x = saved.x;
        result.y = saved.y;
    }
    return result;
}

WindowPlacement SnapToWorkArea(WindowPlacement w, const WindowPlacement& current, const ScreenRect& area) {
    if (w.width != current.width || w.height != current.height)
        return w;
    // The zones in which a window snaps onto the left/top and the right/bottom edges.
    auto nearStart = [](int start, int areaStart) { return start >= 0 && start <= areaStart + kSnapDistance; };
    auto nearEnd = [](int end, int areaEnd) { return end >= areaEnd - kSnapDistance && end <= areaEnd; };

    if (w.x < 0 && nearStart(current.x, area.left)) {
        w.x -= kSnapDistance;
    }
    if (w.x + w.width > area.right && nearEnd(current.x + current.width, area.right)) {
        w.x += kSnapDistance;
    }
    if (w.y < 0 && nearStart(current.y, area.top)) {
        w.y -= kSnapDistance;
    }
    if (w.y + w.height > area.bottom && nearEnd(current.y + current.height, area.bottom)) {
        w.y += kSnapDistance;
    }

    if (nearStart(w.x, area.left)) {
        w.x = area.left;
    }
    if (nearEnd(w.x + w.width, area.right)) {
        w.x = area.right - w.width;
    }
    if (nearStart(w.y, area.top)) {
        w.y = area.top;
    }
    if (nearEnd(w.y + w.height, area.bottom)) {
        w.y = area.bottom - w.height;
    }
    return w;
}

WindowPlacement KeptOnWorkArea(WindowPlacement place, const ScreenRect& area) {
    // Pushed back from the right and bottom first, so a window larger than the area keeps its
    // title bar and left edge reachable.
    if (place.x + place.width > area.right)
        place.x = area.right - place.width;
    if (place.y + place.height > area.bottom)
        place.y = area.bottom - place.height;
    if (place.x < area.left)
        place.x = area.left;
    if (place.y < area.top)
        place.y = area.top;
    return place;
}

WindowPlacement PlacementBeside(const ScreenRect& owner, int width, int height, const ScreenRect& area) {
    // Without room on either side, the side with more room: kept on the work area, the window then
    // covers as little of its owner as it can.
    const bool rightFits = owner.right + width <= area.right;
    const bool leftFits = owner.left - width >= area.left;
    const bool right = rightFits || (!leftFits && area.right - owner.right >= owner.left - area.left);
    return KeptOnWorkArea({right ? owner.right : owner.left - width, owner.top, width, height}, area);
}
