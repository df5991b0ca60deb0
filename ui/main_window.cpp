#include "ui/main_window.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>

#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/screen_scale.h"
#include "settings/app_paths.h"
#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/command_table.h"
#include "ui/control_ids.h"
#include "ui/list_commands.h"
#include "ui/list_hold.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"
#include "ui/opening.h"
#include "ui/status_bar.h"
#include "ui/steps.h"
#include "ui/toolbars.h"
#include "ui/top_most.h"
#include "ui/window_modes.h"
#include "ui/window_port_attach.h"
#include "ui/workflow.h"

namespace {

constexpr char kClassName[] = "varnel";
constexpr char kTitle[] = "Varnel";

// Posted to itself: the handed-over paths are added once the sender has its answer.
constexpr UINT kAddHandedOver = WM_APP + 1;
constexpr UINT kHandOverTooLarge = WM_APP + 2;
// Far more than any command line can hold (32,767 characters, under 100 KB in any form): anything
// larger is not a list of paths from a second start. (Wine loses a message of about 3 MB and more
// before it arrives; below that it is refused here, with a word.)
constexpr DWORD kMostHandOverBytes = 3u << 19;

LRESULT OnCreate(AppContext* c, HWND window) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    DragAcceptFiles(window, TRUE);
    c->mainWindow = window;
    c->listView = new ListViewPane(c);
    AttachWindowPort(c);
    c->list = new RenameList(ListRulesFromSettings);
    c->list->SetJournalFolder(c->paths->IniFolder());
    c->statusBar = new StatusBar(c);
    c->toolbars = new Toolbars(c);
    if (c->layout) {
        c->layout->ApplyFonts(WindowDpi(window));
    }
    c->hold = new ListHold;
    ToggleTopMost(c, false);
    SetStep(c, WorkflowStep::Reset);
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
    if (c->statusBar) {
        c->statusBar->AutoSize();
    }
    if (c->toolbars) {
        c->toolbars->AutoSize();
    }
    if (c->listView) {
        c->listView->Layout(LOWORD(lParam), HIWORD(lParam));
    }
    return 0;
}

LRESULT OnClose(AppContext* c, HWND window) {
    // The pass, or the wait for the tool, would go on with the window gone.
    if ((c->list && c->list->IsBusy()) || (c->hold && c->hold->NamesOut())) {
        return 0;
    }
    if (!c->hold || ConfirmDiscard(c, texts::kCommandQuit)) {
        DestroyWindow(window);
    }
    return 0;
}

// The sender allowed it; focus set from its side would do nothing. A hidden window (the names
// out in the tool) stays hidden, and an open sheet or message box comes up with the window.
void BringToFront(HWND window) {
    if (!IsWindowVisible(window)) {
        return;
    }
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    SetForegroundWindow(GetLastActivePopup(window));
}

// Answered at once: the sender waits for the answer, and the paths are added after it has it,
// with whatever messages they bring.
LRESULT OnCopyData(AppContext* c, HWND window, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!c->hold) {
        return 1;  // not built yet: the sender tries again
    }
    if (data && data->lpData) {
        if (data->cbData > kMostHandOverBytes) {
            PostMessageA(window, kHandOverTooLarge, data->cbData, 0);
            return 0;
        }
        // The text ends at its terminator, and never beyond the data that was sent.
        const char* text = static_cast<const char*>(data->lpData);
        KeepHandedOver(c, std::string(text, strnlen(text, data->cbData)));
        PostMessageA(window, kAddHandedOver, 0, 0);
        BringToFront(c->mainWindow);
    }
    return 0;
}

LRESULT OnDropFiles(AppContext* c, WPARAM wParam) {
    if (c->hold) {
        OpenDropped(c, reinterpret_cast<HDROP>(wParam));
    } else {
        DragFinish(reinterpret_cast<HDROP>(wParam));
    }
    return 0;
}

LRESULT OnNotify(AppContext* c, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (c->toolbars && header->code == TTN_NEEDTEXTA) {
        c->toolbars->FillToolTip(reinterpret_cast<NMTTDISPINFOA*>(lParam));
        return 0;
    }
    if (c->toolbars && header->code == TTN_NEEDTEXTW) {
        c->toolbars->FillToolTip(reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return 0;
    }
    // Bar 100 shares the list's id: only what comes from the list is the list's.
    if (wParam != kListViewId || !c->listView || header->hwndFrom != c->listView->Window()) {
        return 0;
    }
    switch (header->code) {
        case NM_RCLICK:
            if (header->idFrom == kListViewId) {
                c->listView->ShowRowMenu();
            }
            break;
        case LVN_COLUMNCLICK:
            c->listView->ShowColumnMenu(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            break;
        case LVN_ENDLABELEDITA:
        case LVN_ENDLABELEDITW: {
            const LVITEMA& item = reinterpret_cast<const NMLVDISPINFOA*>(lParam)->item;
            std::string typed;
            if (c->listView->EndEdit(item.iItem, item.pszText == nullptr, &typed)) {
                TakeTypedName(c, item.iItem, typed);
            }
        } break;
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            c->listView->BeginEdit(reinterpret_cast<const NMLVDISPINFOA*>(lParam)->item.iItem);
            break;
        case LVN_GETDISPINFOW:
            c->listView->FillRow(&reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
            break;
        case LVN_ODFINDITEMW:
            return c->listView->FindRow(*reinterpret_cast<const NMLVFINDITEMW*>(lParam));
        default:
            break;
    }
    // Never refuse an edit, and never let the control keep the typed text: the row is written
    // from the entry instead.
    return 0;
}

LRESULT OnEraseBackground(AppContext* c, HWND window, WPARAM wParam, LPARAM lParam) {
    if (c->layout) {
        c->layout->PaintBackground(reinterpret_cast<HDC>(wParam));
    }
    return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
}

// Moved to a monitor of another scale, or the scale of its own changed.
LRESULT OnDpiChanged(AppContext* c, WPARAM wParam, LPARAM lParam) {
    if (c->layout) {
        c->layout->ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    }
    return 0;
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
            return OnClose(c, window);
        case WM_COPYDATA:
            return OnCopyData(c, window, lParam);
        case kAddHandedOver:
            if (c->hold) {
                AddHandedOver(c);
            }
            return 0;
        case kHandOverTooLarge:
            if (c->hold) {
                RefuseHandOver(c, static_cast<unsigned long>(wParam));
            }
            return 0;
        case WM_DROPFILES:
            return OnDropFiles(c, wParam);
        case WM_NOTIFY:
            return OnNotify(c, wParam, lParam);
        case WM_ERASEBKGND:
            return OnEraseBackground(c, window, wParam, lParam);
        case WM_COMMAND:
            return OnCommand(c, wParam);
        case WM_DPICHANGED:
            return OnDpiChanged(c, wParam, lParam);
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
    const bool list = IsListModeValue(context->settings->GetString(keys::kWindowMode, "Normal"));
    const WindowBox kept = OpeningBox(*context->settings, list);
    // Made at the system's scale; a window that opens on a monitor of another one takes its size
    // for that monitor.
    const int systemDpi = SystemDpi();
    const WindowBox box = ToDeviceBox(kept, systemDpi, systemDpi);
    HWND window =
        CreateWindowExA(0, kClassName, kTitle, FaceOf(list).creationStyle, box.left, box.top,
                        box.width, box.height, nullptr, nullptr, context->instance, context);
    context->mainWindow = window;
    const int dpi = window ? WindowDpi(window) : systemDpi;
    if (dpi != systemDpi) {
        SetWindowPos(window, nullptr, 0, 0, ToDevicePixels(kept.width, dpi),
                     ToDevicePixels(kept.height, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return window;
}
