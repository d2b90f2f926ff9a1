#include "main/MainWindowLayout.h"

ViewsArea MainWindowViewsArea(int clientWidth, int clientHeight) {
    const int top = kButtonRowHeight + kBannerHeight;
    return {top, clientWidth, clientHeight - top - kStatusHeight};
}

MainWindowPlacement PlacementAfterOpening(const MainWindowPlacement& saved, const WindowPlacement& opening) {
    MainWindowPlacement place = saved;
    if (place.X != opening.x || place.Y != opening.y || place.Width != opening.width ||
        place.Height != opening.height) {
        bool centred = place.X == -1 || place.Y == -1;
        place.X = centred ? -1 : opening.x;
        place.Y = centred ? -1 : opening.y;
        place.Width = opening.width;
        place.Height = opening.height;
    }
    place.Maximized = place.Maximized ? 1 : 0;
    return place;
}

MainWindowPlacement PlacementAfterMove(const MainWindowPlacement& saved,
                                       const WindowPlacement& frame,
                                       bool maximized,
                                       bool minimized) {
    MainWindowPlacement place = saved;
    if (!maximized && !minimized) {
        place.X = frame.x;
        place.Y = frame.y;
        place.Width = frame.width;
        place.Height = frame.height;
    }
    place.Maximized = maximized ? 1 : 0;
    return place;
}

WindowPlacement SnappedMove(int x,
                            int y,
                            int width,
                            int height,
                            bool sized,
                            const WindowPlacement& current,
                            const ScreenRect& workArea) {
    // Without a new size the position carries none.
    WindowPlacement moved{x, y, sized ? width : current.width, sized ? height : current.height};
    return SnapToWorkArea(moved, current, workArea);
}
