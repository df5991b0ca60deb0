#include "ui/list_commands.h"

#include <windows.h>

#include "core/mbcs.h"
#include "core/name_rules.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/held_work.h"
#include "ui/list_view_pane.h"
#include "ui/steps.h"

void RenameAll(AppContext* c) {
    {
        RowBatch rows(c);
        if (GetBool(kIdConvertIllegalName)) {
            c->list->ConvertIllegalNames();
        }
        c->list->RenameAll();
    }
    SetStep(c, WorkflowStep::RenameDone);
    MessageBeep(MB_ICONASTERISK);
}

void RestoreAll(AppContext* c) {
    {
        RowBatch rows(c);
        c->list->RestoreAll();
    }
    SetStep(c, WorkflowStep::Imported, FollowUps::None);
    MessageBeep(MB_ICONEXCLAMATION);
}

void StartAnew(AppContext* c) {
    if (!ConfirmDiscard(c, texts::kCommandNew)) {
        return;
    }
    c->list->Clear();
    SetStep(c, WorkflowStep::Reset);
}

bool ConfirmDiscard(AppContext* c, const std::string& name) {
    if (!c->list->HasRenamed() || !GetBool(kIdConfirmEnd)) {
        return true;
    }
    return ShowMessageBox(c->mainWindow, texts::Fill(texts::kConfirmDiscard, {name}),
                          texts::kTitleRenamed, kMbIconQuestion | kMbYesNo) == kIdYes;
}

void AddToEdit(AppContext* c, AddMode mode, AddPosition position) {
    if (!c->listView || SendMessageA(c->listView->Window(), LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
        return;
    }
    EditAddOptions options;
    options.list = c->list;
    options.instance = c->instance;
    options.window = c->mainWindow;
    options.mode = mode;
    options.position = position;
    options.names = NameRulesFromSettings();
    LoadEditAddSettings(c->settings, &options);
    if (!ShowEditAddDialog(&options)) {
        return;
    }
    StoreEditAddSettings(c->settings, options);
    AddToEditNames(options);
}

void TakeTypedName(AppContext* c, int row, const std::string& typed) {
    // A message box below dispatches messages; paths that arrive then wait until it is done.
    RunHeld(c, [&] {
        // Never half a character.
        const std::string text = mbcs::CutToBytes(typed, kMostFieldBytes);
        RenameList* list = c->list;
        const unsigned writesBefore = c->listView->RowWrites();
        if (IsNameRefused(NameRulesFromSettings(), text, true, c->mainWindow)) {
            return;
        }
        // The message box let other messages through: the row must still show the same entry.
        if (c->listView->RowWrites() != writesBefore ||
            static_cast<unsigned>(row) >= list->Count() || list->IsBusy()) {
            return;
        }
        RenameEntry& entry = list->At(static_cast<unsigned>(row));
        // With its hidden extension the name may still be longer than any file's.
        if (IsNameTooLong(entry.CandidatePath(text).FileName())) {
            ShowNamesTooLong(c->mainWindow, 1);
            return;
        }
        entry.SetEditName(text);
        RowBatch rows(c);
        list->RefreshAllRows();
        list->UpdateCommandStates();
    });
}
