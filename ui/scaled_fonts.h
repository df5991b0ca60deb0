// The fonts the list and the status bar draw with, at the window's dpi. The system gives its
// fonts for the dpi it started with; a window on a monitor of another scale needs them made anew,
// or its texts keep the old size over a grown window.
#pragma once

#include <windows.h>

class ScaledFonts {
  public:
    ScaledFonts() = default;
    ~ScaledFonts();
    ScaledFonts(const ScaledFonts&) = delete;
    ScaledFonts& operator=(const ScaledFonts&) = delete;

    // Gives each control its font for `dpi`: at the system's dpi the control's own default.
    void Apply(HWND list, HWND statusBar, int dpi);

  private:
    HFONT listFont = nullptr;
    HFONT statusFont = nullptr;
};
