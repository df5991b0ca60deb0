// The add dialog: the fields rewrite themselves as the user types, and OK reads them into the
// options.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/mbcs.h"
#include "core/name_rules.h"
#include "core/texts.h"
#include "exchange/add_text.h"
#include "exchange/name_text.h"
#include "platform/message_box.h"
#include "platform/window_text.h"
#include "res/resource_ids.h"

namespace {

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// The bytes of a number field. Whatever cp932 cannot hold arrives as "?", which is no digit.
std::string NumberField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    const int room = GetWindowTextLengthA(field) + 1;
    std::string text(static_cast<size_t>(room), '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, &text[0], room)));
    return text;
}

// Rewrites a number field and leaves the caret at its end, where the user goes on typing.
void RewriteNumberField(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
    SendDlgItemMessageA(dialog, id, EM_SETSEL, text.size(), text.size());
}

// A text field exactly, at most 255 bytes and never half a character; false when it holds a
// character that cp932 cannot: such a text could only reach the name as a look-alike.
void TextField(HWND dialog, int id, std::string* text) {
    HWND field = GetDlgItem(dialog, id);
    const int room = GetWindowTextLengthW(field) + 1;
    std::wstring wide(static_cast<size_t>(room), L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(field, &wide[0], room)));
    *text = mbcs::CutToBytes(Cp932Text(wide), kMostFieldBytes);
}

void UpdateEnabled(HWND dialog) {
    const bool textMode = Checked(dialog, IDR_EA_TEXT_MODE);
    EnableWindow(GetDlgItem(dialog, IDE_EA_TEXT), textMode);
    for (int id : {IDE_EA_START, IDE_EA_INCREMENT, IDK_EA_HEXADECIMAL, IDU_EA_DIGITS}) {
        EnableWindow(GetDlgItem(dialog, id), !textMode);
    }
    EnableWindow(GetDlgItem(dialog, IDE_EA_TARGET), Checked(dialog, IDR_EA_INSIDE));
}

void Init(HWND dialog, EditAddOptions* options) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(options));
    HICON icon =
        static_cast<HICON>(LoadImageA(options->instance, "IDIM_ICON16", IMAGE_ICON, 16, 16, 0));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    const std::wstring line = WideText(ClipboardFirstLine(dialog));
    SetDlgItemTextW(dialog, IDE_EA_TEXT, line.c_str());
    SetDlgItemTextW(dialog, IDE_EA_TARGET, line.c_str());
    // The number fields never hold more than OK reads, so a start is never cut short there.
    for (int id : {IDE_EA_TEXT, IDE_EA_START, IDE_EA_INCREMENT, IDE_EA_TARGET}) {
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kMostFieldBytes, 0);
    }
    SetDlgItemTextA(dialog, IDE_EA_START, options->startText.c_str());
    SetDlgItemTextA(dialog, IDE_EA_INCREMENT, options->incrementText.c_str());
    CheckRadioButton(dialog, IDR_EA_TEXT_MODE, IDR_EA_NUMBER_MODE,
                     options->mode == AddMode::Text ? IDR_EA_TEXT_MODE : IDR_EA_NUMBER_MODE);
    CheckRadioButton(dialog, IDR_EA_FRONT, IDR_EA_INSIDE,
                     IDR_EA_FRONT + static_cast<int>(options->position));
    CheckDlgButton(dialog, IDK_EA_HEXADECIMAL, options->hexadecimal ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDU_EA_DIGITS, UDM_SETRANGE32, 0, 1);
    UpdateEnabled(dialog);
}

void Accept(HWND dialog, EditAddOptions* options) {
    TextField(dialog, IDE_EA_TEXT, &options->text);
    TextField(dialog, IDE_EA_TARGET, &options->target);
    options->startText = NumberField(dialog, IDE_EA_START);
    options->incrementText = NumberField(dialog, IDE_EA_INCREMENT);
    TakeNumbers(options);
    options->hexadecimal = Checked(dialog, IDK_EA_HEXADECIMAL);
    options->mode = Checked(dialog, IDR_EA_TEXT_MODE) ? AddMode::Text : AddMode::Number;
    options->position = Checked(dialog, IDR_EA_FRONT)  ? AddPosition::Front
                        : Checked(dialog, IDR_EA_BACK) ? AddPosition::Back
                                                       : AddPosition::Inside;
    options->accepted = true;
    EndDialog(dialog, IDOK);
}

void OnCommand(HWND dialog, EditAddOptions* options, int id, int code) {
    if (id == IDOK) {
        Accept(dialog, options);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else if (code == EN_CHANGE && (id == IDE_EA_START || id == IDE_EA_INCREMENT)) {
        const std::string typed = NumberField(dialog, id);
        const std::string wanted =
            id == IDE_EA_START ? StartFieldText(typed) : IncrementFieldText(typed);
        if (wanted != typed) {
            RewriteNumberField(dialog, id, wanted);
        }
    } else if (code == BN_CLICKED) {
        UpdateEnabled(dialog);
    }
}

INT_PTR CALLBACK EditAddProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* options = reinterpret_cast<EditAddOptions*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            Init(dialog, reinterpret_cast<EditAddOptions*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (!options) {
                return FALSE;
            }
            OnCommand(dialog, options, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            // The digits control keeps no value of its own: its side says fewer or more.
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDU_EA_DIGITS) &&
                LOWORD(wParam) == SB_ENDSCROLL) {
                const std::string start = NumberField(dialog, IDE_EA_START);
                const std::string next = StepStartDigits(start, static_cast<short>(HIWORD(wParam)));
                if (next != start) {
                    RewriteNumberField(dialog, IDE_EA_START, next);
                }
            }
            return TRUE;
        case WM_DESTROY:
            DestroyIcon(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)));
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowEditAddDialog(EditAddOptions* options) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    options->accepted = false;
    DialogBoxParamA(options->instance, "MYDLG_EDITADD", options->window, EditAddProc,
                    reinterpret_cast<LPARAM>(options));
    return options->accepted;
}
