// The settings sheet's pages and the browse dialogs.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "core/path_name.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "platform/screen_scale.h"
#include "platform/text.h"
#include "res/settings_sheet_ids.h"
#include "settings/app_paths.h"
#include "settings/send_to.h"
#include "settings/settings_sheet.h"
#include "settings/settings_store.h"

namespace {

// Texts pass through the wide functions so that no look-alike ever stands in for a character.
// False when the text has no exact form to show.
bool SetItemText(HWND page, int id, const std::string& cp932) {
    std::wstring wide;
    if (!platform::ToNative(cp932, &wide)) {
        return false;
    }
    SetDlgItemTextW(page, id, wide.c_str());
    return true;
}

// Marks a path field whose stored value could not be shown: left empty, it keeps that value.
constexpr wchar_t kUnshown[] = L"VarnelUnshownValue";
constexpr UINT kSayUnshown = WM_APP + 1;

bool GetItemText(HWND page, int id, std::string* cp932) {
    HWND item = GetDlgItem(page, id);
    std::wstring wide(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(item, &wide[0], static_cast<int>(wide.size()))));
    return platform::FromNativeCp932(wide, cp932);
}

bool Checked(HWND page, int id) {
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND page, int id, bool on) {
    SendDlgItemMessageA(page, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The page's answer to a notification goes in its message result.
INT_PTR Answer(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

const SheetHost* HostOf(HWND page) {
    return reinterpret_cast<const SheetHost*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

void KeepParameter(HWND page, LPARAM lParam) {
    SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
}

INT_PTR CALLBACK CheckBoxPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    const auto* ids = reinterpret_cast<const int*>(GetWindowLongPtrA(page, GWLP_USERDATA));
    if (message == WM_INITDIALOG) {
        KeepParameter(page, lParam);
        ids = reinterpret_cast<const int*>(GetWindowLongPtrA(page, GWLP_USERDATA));
        for (const int* id = ids; *id; ++id) {
            LoadCheckBox(page, *id);
        }
        return TRUE;
    }
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
        for (const int* id = ids; *id; ++id) {
            SaveCheckBox(page, *id);
        }
        return Answer(page, PSNRET_NOERROR);
    }
    return FALSE;
}

void ShowSendToState(HWND page) {
    SetItemText(page, IDB_SEND_TO,
                SendToShortcutExists(SendToShortcutPath()) ? texts::kRemoveFromSendTo
                                                           : texts::kPutInSendTo);
}

// Takes effect at once; Cancel on the sheet does not undo it.
void ToggleSendTo(const SheetHost& host, HWND page) {
    const std::string shortcut = SendToShortcutPath();
    if (!SendToShortcutExists(shortcut)) {
        // The full path with backslashes: the form the shell resolves on every system.
        if (CreateSendToShortcut(shortcut, host.paths->ExecutablePath().FullPath())) {
            SetItemText(page, IDB_SEND_TO, texts::kRemoveFromSendTo);
        }
    } else if (DeleteSendToShortcut(page, shortcut)) {
        SetItemText(page, IDB_SEND_TO, texts::kPutInSendTo);
    }
}

void InitBasicPage(const SheetHost& host, HWND page) {
    ShowSendToState(page);
    const BasicPageValues values = LoadBasicPage(host);
    Check(page, IDK_TOP_MOST, values.topMost);
    Check(page, IDK_USE_EXTENSION, values.useExtension);
    Check(page, IDK_SINGLE_APP, values.singleApp);
    const struct {
        int id;
        const char* label;
        const std::string& text;
    } paths[] = {{IDE_IO_FILE, texts::kLabelExchangeFile, values.ioFilePath},
                 {IDE_TOOL, texts::kLabelTool, values.toolPath}};
    for (const auto& path : paths) {
        if (!SetItemText(page, path.id, path.text)) {
            SetPropW(GetDlgItem(page, path.id), kUnshown, reinterpret_cast<HANDLE>(1));
            // Said once the sheet is up, over it.
            PostMessageA(page, kSayUnshown, static_cast<WPARAM>(path.id), 0);
        }
    }
}

void SayUnshown(HWND page, int id) {
    ShowMessageBox(page,
                   texts::Fill(texts::kSettingsUnshown,
                               {id == IDE_TOOL ? texts::kLabelTool : texts::kLabelExchangeFile}),
                   texts::kTitleSettingsError, kMbIconExclamation);
}

// OK: nothing of this page is stored unless both paths can be stored as they stand.
LONG_PTR ApplyBasicPage(const SheetHost& host, HWND page) {
    BasicPageValues values;
    values.topMost = Checked(page, IDK_TOP_MOST);
    values.useExtension = Checked(page, IDK_USE_EXTENSION);
    values.singleApp = Checked(page, IDK_SINGLE_APP);
    const struct {
        int id;
        const char* label;
        std::string* text;
    } edits[] = {{IDE_IO_FILE, texts::kLabelExchangeFile, &values.ioFilePath},
                 {IDE_TOOL, texts::kLabelTool, &values.toolPath}};
    const BasicPageValues stored = LoadBasicPage(host);
    const std::string* storedText[] = {&stored.ioFilePath, &stored.toolPath};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& edit = edits[i];
        if (!GetItemText(page, edit.id, edit.text)) {
            ShowMessageBox(page, texts::Fill(texts::kSettingsNoCp932, {edit.label}),
                           texts::kTitleSettingsError, kMbIconError);
            SetFocus(GetDlgItem(page, edit.id));
            return PSNRET_INVALID_NOCHANGEPAGE;
        }
        // Never store what the user did not enter: a value that could not be shown stays.
        if (edit.text->empty() && GetPropW(GetDlgItem(page, edit.id), kUnshown)) {
            *edit.text = *storedText[i];
        }
    }
    if (StoreBasicPage(host, values, page) != 0) {
        for (const auto& edit : edits) {
            if (edit.text->size() > kSheetPathLimit) {
                SetFocus(GetDlgItem(page, edit.id));
                break;
            }
        }
        return PSNRET_INVALID_NOCHANGEPAGE;
    }
    return PSNRET_NOERROR;
}

void Browse(const SheetHost& host, HWND page, BrowseKind kind, int editId) {
    std::string path;
    if (BrowseForPath(host, page, kind, &path)) {
        SetItemText(page, editId, path);
    }
}

INT_PTR CALLBACK BasicPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    const SheetHost* host = HostOf(page);
    switch (message) {
        case WM_INITDIALOG:
            KeepParameter(page, lParam);
            InitBasicPage(*HostOf(page), page);
            return TRUE;
        case kSayUnshown:
            SayUnshown(page, static_cast<int>(wParam));
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
                return Answer(page, ApplyBasicPage(*host, page));
            }
            // A refused OK leaves its answer behind; without a fresh one, Cancel and the change
            // of page would read it as a refusal too.
            return Answer(page, 0);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDB_BROWSE_IO_FILE:
                    Browse(*host, page, BrowseKind::ExchangeFile, IDE_IO_FILE);
                    return TRUE;
                case IDB_BROWSE_TOOL:
                    Browse(*host, page, BrowseKind::Tool, IDE_TOOL);
                    return TRUE;
                case IDB_SEND_TO:
                    ToggleSendTo(*host, page);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

// The link and the name are buttons that draw their own text in colour over the page's own
// background.
void DrawAboutItem(const DRAWITEMSTRUCT* item, int height, bool underline) {
    const int length = GetWindowTextLengthW(item->hwndItem);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(item->hwndItem, &text[0], length + 1)));
    // The height is at 96 dpi; the page is drawn at its window's.
    HFONT font = CreateFontA(ToDevicePixels(height, WindowDpi(item->hwndItem)), 0, 0, 0, 0, FALSE,
                             underline, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    HGDIOBJ old = SelectObject(item->hDC, font);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, RGB(255, 0, 122));
    TextOutW(item->hDC, 0, 0, text.c_str(), static_cast<int>(text.size()));
    SelectObject(item->hDC, old);
    DeleteObject(font);
}

// The user guide ships beside the exe.
void OpenGuide(const SheetHost& host, HWND page) {
    PathName guide = host.paths->ExecutablePath();
    guide.SetFileName("readme.txt");
    std::wstring wide;
    if (platform::ToNative(guide.FullPath(), &wide) &&
        reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32) {
        return;
    }
    ShowMessageBox(page, texts::Fill(texts::kGuideCannotOpen, {guide.FullPath()}),
                   texts::kTitleSettingsError, kMbIconError);
}

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            KeepParameter(page, lParam);
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == IDB_ABOUT_LINK) {
                DrawAboutItem(item, 12, true);
            } else if (item->CtlID == IDB_ABOUT_NAME) {
                DrawAboutItem(item, 22, false);
            } else {
                return FALSE;
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDB_ABOUT_LINK) {
                OpenGuide(*HostOf(page), page);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

HPROPSHEETPAGE MakePage(const SheetHost& host, const char* templateName, DLGPROC procedure,
                        LPARAM parameter) {
    PROPSHEETPAGEA page = {};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = host.instance;
    page.pszTemplate = templateName;
    page.pfnDlgProc = procedure;
    page.lParam = parameter;
    return CreatePropertySheetPageA(&page);
}

}  // namespace

void ShowSettingsSheet(const SheetHost& host, int startPage) {
    const LPARAM c = reinterpret_cast<LPARAM>(&host);
    HPROPSHEETPAGE pages[] = {
        MakePage(host, "MYDLG_CUSTOM01", BasicPageProc, c),
        MakePage(host, "MYDLG_CUSTOM03", CheckBoxPageProc, reinterpret_cast<LPARAM>(kAutoPageIds)),
        MakePage(host, "MYDLG_CUSTOM02", CheckBoxPageProc,
                 reinterpret_cast<LPARAM>(kDialogPage1Ids)),
        MakePage(host, "MYDLG_CUSTOM04", CheckBoxPageProc,
                 reinterpret_cast<LPARAM>(kDialogPage2Ids)),
        MakePage(host, "MYDLG_CUSTOM09", AboutPageProc, c),
    };
    for (HPROPSHEETPAGE page : pages) {
        if (!page) {
            for (HPROPSHEETPAGE made : pages) {
                if (made) {
                    DestroyPropertySheetPage(made);
                }
            }
            return;
        }
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USEHICON;
    header.hwndParent = host.owner;
    header.hInstance = host.instance;
    header.hIcon =
        static_cast<HICON>(LoadImageA(host.instance, "IDIM_ICON16", IMAGE_ICON, 16, 16, LR_SHARED));
    header.pszCaption = texts::kSheetCaption;
    header.nPages = sizeof(pages) / sizeof(pages[0]);
    header.nStartPage = static_cast<UINT>(startPage);
    header.phpage = pages;
    PropertySheetA(&header);
}

bool BrowseForPath(const SheetHost& host, WindowHandle owner, BrowseKind kind, std::string* path) {
    const bool tool = kind == BrowseKind::Tool;
    std::vector<wchar_t> result(MAX_PATH, L'\0');
    std::vector<wchar_t> title(MAX_PATH, L'\0');
    std::wstring folder;
    platform::ToNative(host.paths->IOFilePath().Folder(), &folder);
    std::wstring caption;
    platform::ToNative(tool ? texts::kLabelTool : texts::kLabelExchangeFile, &caption);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = tool ? L"exe files(*.exe)\0*.exe\0\0" : L"All files(*.*)\0*.*\0\0";
    ofn.lpstrFile = result.data();
    ofn.nMaxFile = static_cast<DWORD>(result.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = tool ? OFN_EXPLORER | OFN_FILEMUSTEXIST : OFN_EXPLORER;
    ofn.lpstrDefExt = tool ? L"exe" : L"*";
    if (!GetSaveFileNameW(&ofn)) {
        return false;
    }
    if (!platform::FromNativeCp932(result.data(), path)) {
        ShowMessageBox(owner, texts::kSettingsPickedNoCp932, texts::kTitleSettingsError,
                       kMbIconError);
        return false;
    }
    return true;
}
