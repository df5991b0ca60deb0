// The program's entry: the main window and the message loop.
#include <windows.h>

#include "platform/message_box.h"

namespace {

constexpr char kWindowClass[] = "varnel";
constexpr char kWindowTitle[] = "Varnel";
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kWindowX = 100;
constexpr int kWindowY = 100;
constexpr int kWindowWidth = 200;
constexpr int kWindowHeight = 200;

LRESULT OnDestroy() {
    PostQuitMessage(0);
    return 0;
}

// Routes each message to its handler; everything else gets the default behaviour.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            return OnDestroy();
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExA(0, kWindowClass, kWindowTitle, kWindowStyle, kWindowX, kWindowY,
                           kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
}

int RunMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!RegisterMainWindowClass(instance)) {
        return 1;
    }
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) {
        ShowMessageBox(nullptr, "ウィンドウを作成できません。", kWindowTitle, kMbOk | kMbIconError);
        return 1;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}
