#include "ui/main_window.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "core/rename_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/command_table.h"
#include "ui/commands.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"

namespace {

constexpr char kClassName[] = "varnel";
constexpr char kTitle[] = "Varnel";
constexpr DWORD kNormalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;

LRESULT OnCreate(AppContext* c, HWND window) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    DragAcceptFiles(window, TRUE);
    c->mainWindow = window;
    c->listView = new ListViewPane(c);
    c->list = new RenameList(c);
    c->commands = new Commands(c);
    return 0;
}

LRESULT OnDestroy(AppContext* c) {
    if (c->layout) {
        c->layout->SaveWindowState();
    }
    PostQuitMessage(0);
    return 0;
}

LRESULT OnSize(AppContext* c, LPARAM lParam) {
    if (c->listView) {
        c->listView->Layout(LOWORD(lParam), HIWORD(lParam));
    }
    return 0;
}

LRESULT OnClose(HWND window) {
    DestroyWindow(window);
    return 0;
}

LRESULT OnEraseBackground(AppContext* c, HWND window, WPARAM wParam, LPARAM lParam) {
    if (c->layout) {
        c->layout->PaintBackground(reinterpret_cast<HDC>(wParam));
    }
    return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
}

LRESULT OnCommand(AppContext* c, WPARAM wParam) {
    DispatchCommand(c, LOWORD(wParam));
    return 0;
}

// The context comes with the creation message and is kept in the window's user data.
AppContext* ContextOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<AppContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AppContext* c = ContextOf(window, message, lParam);
    if (!c) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(c, window);
        case WM_DESTROY:
            return OnDestroy(c);
        case WM_SIZE:
            return OnSize(c, lParam);
        case WM_CLOSE:
            return OnClose(window);
        case WM_ERASEBKGND:
            return OnEraseBackground(c, window, wParam, lParam);
        case WM_COMMAND:
            return OnCommand(c, wParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainWindowClass(AppContext* context) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = context->instance;
    wc.hIcon = static_cast<HICON>(
        LoadImageA(context->instance, "IDIM_ICON", IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    wc.hIconSm = static_cast<HICON>(
        LoadImageA(context->instance, "IDIM_ICON16", IMAGE_ICON, 16, 16, LR_SHARED));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszMenuName = "MYMENU";
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

WindowHandle CreateMainWindow(AppContext* context) {
    SettingsStore& store = *context->settings;
    const bool normal = store.GetString(keys::kWindowMode, "Normal") == "Normal";
    DWORD style = normal ? kNormalStyle : kListStyle;
    int width = 200;
    int height = 200;
    if (!normal) {
        width = store.GetInt(keys::kWindowSizeX, 620);
        height = store.GetInt(keys::kWindowSizeY, 400);
    }
    const int x = TextToInt(store.GetString(keys::kWindowPosX, "100"));
    const int y = TextToInt(store.GetString(keys::kWindowPosY, "100"));
    HWND window = CreateWindowExA(0, kClassName, kTitle, style, x, y, width, height, nullptr,
                                  nullptr, context->instance, context);
    context->mainWindow = window;
    return window;
}
