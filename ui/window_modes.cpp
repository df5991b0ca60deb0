#include "ui/window_modes.h"

#include "platform/screen_scale.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace {

constexpr unsigned long kWsPopup = 0x80000000UL;
constexpr unsigned long kWsVisible = 0x10000000UL;
constexpr unsigned long kWsCaption = 0x00C00000UL;
constexpr unsigned long kWsSysMenu = 0x00080000UL;
constexpr unsigned long kWsOverlappedWindow = 0x00CF0000UL;

constexpr int kCompactSize = 200;

}  // namespace

WindowFace FaceOf(bool listMode) {
    if (listMode) {
        return {kWsVisible | kWsOverlappedWindow,
                kWsVisible | kWsOverlappedWindow,
                true,
                true,
                false,
                true,
                true,
                false};
    }
    return {kWsPopup | kWsCaption | kWsSysMenu,
            kWsPopup | kWsVisible | kWsCaption | kWsSysMenu,
            false,
            false,
            true,
            false,
            false,
            true};
}

bool IsListModeValue(const std::string& windowMode) {
    return windowMode != "Normal";
}

std::string ToggledModeValue(const std::string& windowMode) {
    return windowMode == "Normal" ? "ListView" : "Normal";
}

WindowBox ToDeviceBox(const WindowBox& stored, int systemDpi, int windowDpi) {
    return {ToDevicePixels(stored.left, systemDpi), ToDevicePixels(stored.top, systemDpi),
            ToDevicePixels(stored.width, windowDpi), ToDevicePixels(stored.height, windowDpi)};
}

WindowBox ToStoredBox(const WindowBox& device, int systemDpi, int windowDpi) {
    return {ToStoredPixels(device.left, systemDpi), ToStoredPixels(device.top, systemDpi),
            ToStoredPixels(device.width, windowDpi), ToStoredPixels(device.height, windowDpi)};
}

WindowBox OpeningBox(SettingsStore& store, bool listMode) {
    // The size is read first, as the settings file keeps the order of first use.
    WindowBox box = {0, 0, kCompactSize, kCompactSize};
    if (FaceOf(listMode).resizable) {
        box.width = store.GetInt(keys::kWindowSizeX, kListWindowWidth);
        box.height = store.GetInt(keys::kWindowSizeY, kListWindowHeight);
    }
    box.left = TextToInt(store.GetString(keys::kWindowPosX, "100"));
    box.top = TextToInt(store.GetString(keys::kWindowPosY, "100"));
    return box;
}

void StoreWindowBox(SettingsStore& store, const WindowBox& box) {
    store.SetInt(keys::kWindowPosX, box.left);
    store.SetInt(keys::kWindowPosY, box.top);
    if (store.GetString(keys::kWindowMode, "Normal") == "ListView") {
        store.SetInt(keys::kWindowSizeX, box.width);
        store.SetInt(keys::kWindowSizeY, box.height);
    }
}
