#include "ui/scaled_fonts.h"

#include <commctrl.h>

#include "platform/screen_scale.h"

namespace {

HFONT MadeAt(LOGFONTA font, int dpi) {
    font.lfHeight = RescalePixels(font.lfHeight, SystemDpi(), dpi);
    return CreateFontIndirectA(&font);
}

// The list's default is the icon titles' font, the status bar's the system's status font.
void MakeFonts(int dpi, HFONT* list, HFONT* status) {
    LOGFONTA icons = {};
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(icons), &icons, 0)) {
        *list = MadeAt(icons, dpi);
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        *status = MadeAt(metrics.lfStatusFont, dpi);
    }
}

void Give(HWND control, HFONT font) {
    if (control) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

}  // namespace

ScaledFonts::~ScaledFonts() {
    DeleteObject(listFont);
    DeleteObject(statusFont);
}

void ScaledFonts::Apply(HWND list, HWND statusBar, int dpi) {
    HFONT newList = nullptr;
    HFONT newStatus = nullptr;
    if (dpi != SystemDpi()) {
        MakeFonts(dpi, &newList, &newStatus);
    }
    // The controls let go of the old fonts before they are deleted.
    Give(list, newList);
    Give(statusBar, newStatus);
    // The bar's least height is the system's size box, which the system gives for its own dpi.
    if (statusBar && newStatus) {
        SendMessageA(statusBar, SB_SETMINHEIGHT, SystemMetricAt(SM_CYSIZE, dpi), 0);
    }
    DeleteObject(listFont);
    DeleteObject(statusFont);
    listFont = newList;
    statusFont = newStatus;
}
