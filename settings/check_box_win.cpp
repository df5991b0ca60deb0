// The settings sheet's check boxes, bound to the on/off settings by their control ids.
#include <windows.h>

#include "settings/settings_store.h"

void LoadCheckBox(HWND dialog, int id) {
    // An unchecked box is left alone: it was created unchecked.
    if (GetBool(id)) {
        SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, BST_CHECKED, 0);
    }
}

void SaveCheckBox(HWND dialog, int id) {
    // Only BST_CHECKED counts as on; an indeterminate box is off.
    LRESULT state = SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0);
    SetBool(id, state == BST_CHECKED);
}
