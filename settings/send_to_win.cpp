#include "core/texts.h"
#include "settings/send_to.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "platform/message_box.h"
#include "platform/text.h"

std::string SendToShortcutPath() {
    wchar_t folder[MAX_PATH] = {};
    std::string cp932;
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE) ||
        !platform::FromNative(folder, &cp932) || cp932.empty()) {
        return "";
    }
    return cp932 + "\\Varnel.lnk";
}

bool SendToShortcutExists(const std::string& shortcut) {
    std::wstring wide;
    return !shortcut.empty() && platform::ToNative(shortcut, &wide) &&
           GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

bool SaveLink(const std::wstring& shortcut, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(target.c_str());
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            saved = SUCCEEDED(file->Save(shortcut.c_str(), TRUE));
        }
    }
    if (file) {
        file->Release();
    }
    if (link) {
        link->Release();
    }
    return saved;
}

}  // namespace

bool CreateSendToShortcut(const std::string& shortcut, const std::string& target) {
    std::wstring wideShortcut;
    std::wstring wideTarget;
    bool saved = false;
    if (!shortcut.empty() && platform::ToNative(shortcut, &wideShortcut) &&
        platform::ToNative(target, &wideTarget)) {
        const HRESULT com = CoInitialize(nullptr);
        saved = SaveLink(wideShortcut, wideTarget);
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
    }
    if (!saved) {
        ShowMessageBox(nullptr, texts::kShortcutNotMade, texts::kTitleError, kMbOk);
    }
    return saved;
}

bool DeleteSendToShortcut(WindowHandle owner, const std::string& shortcut) {
    std::wstring wide;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (platform::ToNative(shortcut, &wide)) {
        // Deleted when the handle closes; refused while another program holds the file.
        file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        ShowMessageBox(owner, texts::kShortcutNotRemoved, texts::kTitleError, kMbIconError);
        return false;
    }
    CloseHandle(file);
    return true;
}
