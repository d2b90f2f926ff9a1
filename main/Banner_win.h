#pragma once
// The banner between the button row and the views: a band with the current view's icon and name.

#include <windows.h>

// Loads the band and the views' icons.
void LoadBannerImages();
// Composes the banner of a view and has the band repainted.
void ShowBanner(int view);
void PaintBanner(HDC dc);
