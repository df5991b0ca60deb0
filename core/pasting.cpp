// Setting the edit names of the selected entries from another of their names or from a text, and
// the states of the commands that depend on the edit names.

#include <string>

#include "core/name_rules.h"
#include "core/rename_list.h"
#include "core/window_port.h"

namespace {}  // namespace

void RenameList::PasteToEdit(NameKind kind, const std::string* text) {
    if (passRunning) {
        return;
    }
    // The empty text of the clear command fails this check too, so clearing is refused then.
    const ListRules now = rules();
    if (text != nullptr && now.checkPastedNames &&
        !IsValidFileName(*text, true, window_port::Owner(), now.wholeNamesShown)) {
        return;
    }
    unsigned tooLong = 0;
    for (unsigned i = 0; i < Count(); ++i) {
        if (!window_port::IsRowSelected(i)) {
            continue;
        }
        RenameEntry& entry = At(i);
        const std::string name = text != nullptr ? *text : entry.DisplayName(kind);
        // A name no file can have would only fail in the rename; the entry keeps its edit name.
        if (IsNameTooLong(entry.CandidatePath(name).FileName())) {
            ++tooLong;
            continue;
        }
        entry.SetEditName(name);
        window_port::WriteRow(i);
    }
    if (tooLong != 0) {
        ShowNamesTooLong(window_port::Owner(), tooLong);
    }
    UpdateCommandStates();
}

void RenameList::UpdateCommandStates() {
    bool noneNeedRename = true;
    bool noneRenamed = true;
    for (unsigned i = 0; i < Count() && (noneNeedRename || noneRenamed); ++i) {
        if (At(i).NeedsRename()) {
            noneNeedRename = false;
        }
        if (At(i).WasRenamed()) {
            noneRenamed = false;
        }
    }
    window_port::ShowListState(!noneNeedRename, !noneRenamed);
}
