// The steps of a batch and the commands on the whole list: rename, restore, start anew (after the
// confirmation that the first names will be lost), and adding text to the selected rows.
#include "ui/commands.h"

#include <windows.h>

#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/list_view_pane.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"
#include "ui/workflow.h"

Commands::Commands(AppContext* context) : context(context) {
    ToggleTopMost(false);
}

void Commands::SetStep(WorkflowStep step) {
    const StepSettings settings = {GetBool(kIdAutoSort), GetBool(kIdAutoCBCopy),
                                   GetBool(kIdAutoRename)};
    const StepPlan plan = PlanStep(step, context->list->Count(), settings);
    if (context->statusBar) {
        if (plan.showCount) {
            context->statusBar->SetCount(context->list->Count());
        }
        if (plan.showText) {
            context->statusBar->SetStepText(plan.text);
        }
    }
    for (const auto& command : plan.grayed) {
        if (context->toolbars) {
            context->toolbars->SetCommandGrayed(command.first, command.second);
        }
    }
    if (plan.updateCommandStates) {
        context->list->UpdateCommandStates();
    }
    if (plan.deleteAllRows && context->listView) {
        context->listView->DeleteAllRows();
    }
    // Sent, not posted: each follow-up runs to its end, with its own step, before this returns.
    for (int id : plan.followUps) {
        SendMessageA(context->mainWindow, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}

void Commands::Rename() {
    {
        RowBatch rows(context);
        if (GetBool(kIdConvertIllegalName)) {
            context->list->ConvertIllegalNames();
        }
        context->list->RenameAll();
    }
    SetStep(WorkflowStep::RenameDone);
    MessageBeep(MB_ICONASTERISK);
}

void Commands::Restore() {
    {
        RowBatch rows(context);
        context->list->RestoreAll();
    }
    SetStep(WorkflowStep::Restored);
    MessageBeep(MB_ICONEXCLAMATION);
}

void Commands::New() {
    if (!ConfirmDiscard(texts::kCommandNew)) {
        return;
    }
    context->list->Clear();
    SetStep(WorkflowStep::Reset);
}

bool Commands::ConfirmDiscard(const std::string& name) {
    if (!context->list->HasRenamed() || !GetBool(kIdConfirmEnd)) {
        return true;
    }
    return ShowMessageBox(context->mainWindow, texts::Fill(texts::kConfirmDiscard, {name}),
                          texts::kTitleRenamed, kMbIconQuestion | kMbYesNo) == kIdYes;
}

void Commands::AddToEdit(AddMode mode, AddPosition position) {
    if (!context->listView ||
        SendMessageA(context->listView->Window(), LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
        return;
    }
    EditAddOptions options;
    options.list = context->list;
    options.instance = context->instance;
    options.window = context->mainWindow;
    options.mode = mode;
    options.position = position;
    options.names = NameRulesFromSettings();
    LoadEditAddSettings(context->settings, &options);
    if (!ShowEditAddDialog(&options)) {
        return;
    }
    StoreEditAddSettings(context->settings, options);
    AddToEditNames(options);
}
