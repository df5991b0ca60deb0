// Modal message boxes. The exe shows them; the tests link a recorder that answers for the user.
#pragma once

#include <string>

#include "platform/handles.h"

// Style bits and answers, with the values MessageBox uses.
enum : unsigned {
    kMbOk = 0x00,
    kMbYesNoCancel = 0x03,
    kMbYesNo = 0x04,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconInformation = 0x40,
    kMbDefButton2 = 0x100,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Texts are cp932. Returns the button the user chose.
int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title,
                   unsigned style);
