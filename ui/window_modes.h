// The main window's two faces as data: the compact "Normal" window and the "ListView" window,
// what each shows, where the window opens and what it leaves in the settings.
#pragma once

#include <string>

class SettingsStore;

struct WindowFace {
    unsigned long creationStyle;  // as the window is created at start-up
    unsigned long changedStyle;   // as a mode change sets it (the window is shown then)
    bool resizable;               // size from the settings; else the fixed compact size
    bool listModeBar;             // bar 100
    bool compactBars;             // bars 101 and 102
    bool list;
    bool sizeGrip;
    bool background;
};

WindowFace FaceOf(bool listMode);

// The list window's size when the settings give none, and what "fit the window" starts from
// (at 96 dpi, as every length here).
constexpr int kListWindowWidth = 620;
constexpr int kListWindowHeight = 400;

// At start-up any value but exactly "Normal" opens the list window.
bool IsListModeValue(const std::string& windowMode);
// The value a mode change stores: "ListView" after exactly "Normal", else "Normal".
std::string ToggledModeValue(const std::string& windowMode);

struct WindowBox {
    int left;
    int top;
    int width;
    int height;
};

// The box in the window's pixels, and back. The settings keep it as a program that knows no
// scale saw it: the place in the desktop's coordinates at the system's dpi, the size at 96 dpi.
WindowBox ToDeviceBox(const WindowBox& stored, int systemDpi, int windowDpi);
WindowBox ToStoredBox(const WindowBox& device, int systemDpi, int windowDpi);

// Where and how large the window of this mode opens, from the settings (kept pixels).
WindowBox OpeningBox(SettingsStore& store, bool listMode);
// Keeps the window's normal box for the next start: the position always, the size only when
// WindowMode is exactly "ListView" (the compact size is fixed).
void StoreWindowBox(SettingsStore& store, const WindowBox& box);
