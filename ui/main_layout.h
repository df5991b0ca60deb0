// The window's two faces ("Normal", the compact window; "ListView", the list window), the
// background picture of the compact one, and keeping the window's place in the settings.
#pragma once

#include "platform/handles.h"
#include "ui/scaled_fonts.h"

struct AppContext;
struct HBITMAP__;
struct HDC__;
struct tagRECT;

class MainLayout {
  public:
    explicit MainLayout(AppContext* context);
    ~MainLayout();
    MainLayout(const MainLayout&) = delete;
    MainLayout& operator=(const MainLayout&) = delete;

    // WindowMode is exactly "Normal"; read afresh at every call.
    bool IsNormalMode() const;
    // Command 40029: keeps the state of the mode being left, flips the setting, applies the other.
    void ToggleMode();
    // Brings the window and its children into the mode held in listMode; the top-left corner
    // stays where it is.
    void ApplyMode();
    void SaveWindowState();
    void PaintBackground(HDC__* dc);
    // The window came to a monitor of another scale (WM_DPICHANGED): its children are made for
    // the new dpi and the window takes the box the system suggests.
    void ApplyDpi(int newDpi, const tagRECT& suggested);
    // The list's and the status bar's fonts for the window's dpi (made anew only where it is not
    // the system's).
    void ApplyFonts(int dpi);

  private:
    void LoadBackground(int dpi);

    AppContext* context;
    int listMode;
    ScaledFonts fonts;
    HBITMAP__* background = nullptr;
    int backgroundDpi = 0;
};
