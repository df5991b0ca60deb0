// The three toolbars (100 in the list window; 101 and 102 in the compact one) and the states of
// commands in the menu bar and on the bars.
#pragma once

#include "platform/handles.h"

struct AppContext;
struct _IMAGELIST;
struct tagNMTTDISPINFOA;
struct tagNMTTDISPINFOW;
struct tagRECT;

class Toolbars {
  public:
    explicit Toolbars(AppContext* context);
    virtual ~Toolbars();
    Toolbars(const Toolbars&) = delete;
    Toolbars& operator=(const Toolbars&) = delete;

    // Grays or enables the command in the menu bar and on every bar that carries it. True when
    // any of them took the change.
    bool SetCommandGrayed(int commandId, bool grayed);
    // The menu-bar item's state (MFS_CHECKED, MFS_GRAYED or 0).
    bool SetMenuItemState(int commandId, unsigned state);

    // Bar 100 in the list window, bars 101 and 102 in the compact one.
    void ShowForMode(bool listMode);
    // The images and button sizes for the window's dpi, at the start and at every change of it.
    void ApplyDpi(int dpi);
    // Fits bar 100 to the window's width; called on every WM_SIZE.
    void AutoSize();
    // Bar 100's screen rectangle; the list sits below it.
    tagRECT GetListModeBarRect() const;
    // The tool tip of a button: the text is the string-table entry of its command.
    void FillToolTip(tagNMTTDISPINFOA* info);
    void FillToolTip(tagNMTTDISPINFOW* info);

  private:
    AppContext* context;
    WindowHandle listModeBar = nullptr;
    WindowHandle compactBar = nullptr;
    WindowHandle topMostBar = nullptr;
    _IMAGELIST* images = nullptr;  // shared by the bars, which do not destroy it
};
