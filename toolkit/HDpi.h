#pragma once

#include <windows.h>

// The resolution windows are laid out for. Every place and size the program
// gives (controls, list columns, a window's or dialog's outer size) is at 96
// pixels an inch and is scaled for the resolution of the screen its window is
// on when the native window is made, so that text and controls keep their
// proportions at any display scale. The functions of newer systems are looked
// up when first needed: where they are missing every window has the system's
// resolution.
class HDpi {
  public:
    // The resolution the layouts are given at (100 %).
    static constexpr int BASE = 96;

    // A length at BASE for a resolution, rounded as the system rounds.
    static int scale(int value, int dpi) { return MulDiv(value, dpi, BASE); }
    static RECT scale(const RECT& rect, int dpi);
    // The system's resolution: that of the main screen when the program started.
    static int ofSystem();
    // The resolution of the screen a window is on.
    static int ofWindow(HWND window);
};
