#include "ui/steps.h"

#include <windows.h>

#include "core/rename_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/list_view_pane.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"

void SetStep(AppContext* c, WorkflowStep step, FollowUps followUps) {
    const StepSettings settings = {GetBool(kIdAutoSort), GetBool(kIdAutoCBCopy),
                                   GetBool(kIdAutoRename)};
    const StepPlan plan = PlanStep(step, c->list->Count(), settings, followUps);
    if (c->statusBar) {
        if (plan.showCount) {
            c->statusBar->SetCount(c->list->Count());
        }
        if (plan.showText) {
            c->statusBar->SetStepText(plan.text);
        }
    }
    for (const auto& command : plan.grayed) {
        if (c->toolbars) {
            c->toolbars->SetCommandGrayed(command.first, command.second);
        }
    }
    if (plan.updateCommandStates) {
        c->list->UpdateCommandStates();
    }
    if (plan.deleteAllRows && c->listView) {
        c->listView->DeleteAllRows();
    }
    for (int id : plan.followUps) {
        SendMessageA(c->mainWindow, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}
