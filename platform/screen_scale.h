// Pixels at the screen's scale. Lengths the program keeps (its constants, the settings file) are
// pixels at 96 dpi, the scale of 100 %; a window is drawn at its own dpi, which follows the
// monitor it is on, and its lengths are turned into that window's pixels where they are used.
#pragma once

#include "platform/handles.h"

constexpr int kStoredDpi = 96;

// A length kept at 96 dpi as pixels at `dpi`, rounded to the nearest (halves away from zero, as
// MulDiv rounds), so that negative places scale as positive ones do.
int ToDevicePixels(int stored, int dpi);
// The length kept at 96 dpi for pixels at `dpi`. At 96 dpi and above every kept length comes
// back unchanged: ToStoredPixels(ToDevicePixels(v, dpi), dpi) == v.
int ToStoredPixels(int device, int dpi);
// Pixels at one dpi as pixels at another, rounded as above.
int RescalePixels(int pixels, int fromDpi, int toDpi);
// Of the scales the artwork is drawn for (in per cent, ascending), the one nearest to `dpi`;
// between two, the larger, since a picture shrunk looks better than one stretched.
int NearestArtScale(int dpi, const int* percents, int count);

// The dpi the window is drawn at: the monitor's where the system scales per monitor, else the
// system's.
int WindowDpi(WindowHandle window);
// The dpi of the whole desktop as the system was started with it (the primary monitor's).
int SystemDpi();
// A system metric (GetSystemMetrics' index) for a window drawn at `dpi`.
int SystemMetricAt(int index, int dpi);
