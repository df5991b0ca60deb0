// Putting a text or a running number in front of, behind or in place of a text inside the edit
// names of the selected entries. Only edit names change; the disk waits for the rename.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/name_rules.h"
#include "platform/handles.h"

class RenameList;
class SettingsStore;

enum class AddMode { Text = 0, Number = 1 };
enum class AddPosition { Front = 0, Back = 1, Inside = 2 };

// What the add dialog asks for; one per command.
struct EditAddOptions {
    std::string incrementText = "1";
    // Its length is the number of digits printed.
    std::string startText = "001";
    std::string text;
    std::string target;
    std::int32_t startValue = 1;
    std::int32_t digits = 0;
    std::int32_t increment = 1;
    AddPosition position = AddPosition::Front;
    AddMode mode = AddMode::Text;
    bool accepted = false;
    bool hexadecimal = false;
    // What the settings decide for the names made.
    NameRules names;
    // The list whose selected entries change, and where the dialog comes from.
    RenameList* list = nullptr;
    InstanceHandle instance = nullptr;
    WindowHandle window = nullptr;
};

// The number settings of the last accepted dialog, and storing them after OK.
void LoadEditAddSettings(SettingsStore* settings, EditAddOptions* options);
void StoreEditAddSettings(SettingsStore* settings, const EditAddOptions& options);
// The values of the typed start and increment texts, as read at OK.
void TakeNumbers(EditAddOptions* options);

// The value as an unsigned 32-bit number, zero-filled to at least `digits` characters; lower-case
// hexadecimal digits. The whole width is printed, however wide.
std::string FormatSerial(std::uint32_t value, int digits, bool hexadecimal);

// Every occurrence of the target, found by characters from left to right, replaced by the piece;
// what was put in is never searched again. An empty target leaves the name as it is.
std::string ReplaceText(const std::string& name, const std::string& target,
                        const std::string& piece);
std::string AddPiece(const std::string& name, const std::string& piece, AddPosition position,
                     const std::string& target);

// The fields of the dialog as they rewrite themselves. The start text: every byte that is not an
// ASCII digit becomes "0", at most the field's 255 bytes. The increment: never 0, always its own
// value in decimal. The digits control: position 1 drops the first digit while two remain,
// position 0 puts a zero in front while fewer than nine are there.
std::string StartFieldText(const std::string& typed);
std::string IncrementFieldText(const std::string& typed);
std::string StepStartDigits(const std::string& start, int position);

// Rewrites the edit names of the owner's selected entries in list order, then the command states.
// A serial number is used up by its row even when the new name is not taken.
void AddToEditNames(const EditAddOptions& options);

// The dialog MYDLG_EDITADD over the owner's main window, preset from the options; true after OK,
// with the options as the user left them. The exe only.
bool ShowEditAddDialog(EditAddOptions* options);
