#include "ui/command_states.h"

#include <algorithm>
#include <iterator>

#include "res/resource_ids.h"
#include "ui/workflow.h"

namespace {

// The exchange commands, in the order they are enabled.
constexpr int kExchangeCommands[] = {IDC_NEW,          IDC_EXPORT_CLIPBOARD, IDC_IMPORT_CLIPBOARD,
                                     IDC_EXPORT_FILE,  IDC_IMPORT_FILE,      IDC_OPEN_FILE,
                                     IDC_SORT_NOW_PATH};

constexpr int kResetGrays[] = {
    IDC_NEW,           IDC_EXPORT_CLIPBOARD, IDC_IMPORT_CLIPBOARD, IDC_EXPORT_FILE,
    IDC_IMPORT_FILE,   IDC_OPEN_FILE,        IDC_RENAME,           IDC_RESTORE,
    IDC_SORT_NOW_PATH, IDC_CONVERT_ILLEGAL};

constexpr int kRowCommands[] = {IDC_PASTE_OLD,       IDC_PASTE_NOW,        IDC_PASTE_CLIPBOARD,
                                IDC_PASTE_DELETE,    IDC_COPY_OLD,         IDC_COPY_NOW,
                                IDC_COPY_EDIT,       IDC_MOVE_UP,          IDC_MOVE_DOWN,
                                IDC_MOVE_TOP,        IDC_MOVE_BOTTOM,      IDC_ADD_TEXT_FRONT,
                                IDC_ADD_TEXT_BEHIND, IDC_ADD_TEXT_REPLACE, IDC_ADD_NUM_FRONT,
                                IDC_ADD_NUM_BEHIND,  IDC_ADD_NUM_REPLACE};

constexpr int kColumnCommands[] = {IDC_SORT_FILE_NAME, IDC_SORT_FULL_PATH, IDC_COLUMN_TO_CLIPBOARD,
                                   IDC_COLUMN_TO_FILE};

constexpr int kListChanging[] = {
    IDC_OPEN,
    IDC_IMPORT_CLIPBOARD,
    IDC_RENAME,
    IDC_RESTORE,
    IDC_HISTORY,
    IDC_NEW,
    IDC_SORT_NOW_PATH,
    IDC_EXPORT_FILE,
    IDC_IMPORT_FILE,
    IDC_CONVERT_ILLEGAL,
    IDC_PASTE_OLD,
    IDC_PASTE_NOW,
    IDC_PASTE_CLIPBOARD,
    IDC_PASTE_DELETE,
    IDC_COLUMN_TO_FILE,
    IDC_SORT_FILE_NAME,
    IDC_SORT_FULL_PATH,
    IDC_MOVE_TOP,
    IDC_MOVE_UP,
    IDC_MOVE_DOWN,
    IDC_MOVE_BOTTOM,
    IDC_ADD_TEXT_FRONT,
    IDC_ADD_TEXT_BEHIND,
    IDC_ADD_TEXT_REPLACE,
    IDC_ADD_NUM_FRONT,
    IDC_ADD_NUM_BEHIND,
    IDC_ADD_NUM_REPLACE,
};

}  // namespace

CommandGrays StepGrays(WorkflowStep step, unsigned count) {
    CommandGrays grays;
    switch (step) {
        case WorkflowStep::Reset:
            for (int id : kResetGrays) {
                grays.emplace_back(id, true);
            }
            break;
        case WorkflowStep::Added:
            if (count != 0) {
                grays = {{IDC_NEW, false},
                         {IDC_EXPORT_CLIPBOARD, false},
                         {IDC_IMPORT_CLIPBOARD, true},
                         {IDC_EXPORT_FILE, false},
                         {IDC_IMPORT_FILE, true},
                         {IDC_OPEN_FILE, true},
                         {IDC_SORT_NOW_PATH, false}};
            }
            break;
        case WorkflowStep::Exported:
        case WorkflowStep::Imported:
        case WorkflowStep::RenameDone:
            for (int id : kExchangeCommands) {
                grays.emplace_back(id, false);
            }
            break;
    }
    return grays;
}

CommandGrays ListStateGrays(bool anyNeedsRename, bool anyRenamed) {
    return {{IDC_RENAME, !anyNeedsRename},
            {IDC_RESTORE, !anyRenamed},
            {IDC_CONVERT_ILLEGAL, !anyNeedsRename}};
}

std::vector<int> RowMenuGrays(bool anySelected) {
    return anySelected ? std::vector<int>()
                       : std::vector<int>(std::begin(kRowCommands), std::end(kRowCommands));
}

std::vector<int> ColumnMenuGrays(bool anyRows) {
    return anyRows ? std::vector<int>()
                   : std::vector<int>(std::begin(kColumnCommands), std::end(kColumnCommands));
}

bool ChangesList(int commandId) {
    return std::find(std::begin(kListChanging), std::end(kListChanging), commandId) !=
           std::end(kListChanging);
}
