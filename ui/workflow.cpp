#include "ui/workflow.h"

#include "res/resource_ids.h"

namespace {

// The exchange commands, in the order they are enabled.
constexpr int kExchangeCommands[] = {IDC_NEW,          IDC_EXPORT_CLIPBOARD, IDC_IMPORT_CLIPBOARD,
                                     IDC_EXPORT_FILE,  IDC_IMPORT_FILE,      IDC_OPEN_FILE,
                                     IDC_SORT_NOW_PATH};

void EnableExchangeCommands(StepPlan* plan) {
    for (int id : kExchangeCommands) {
        plan->grayed.emplace_back(id, false);
    }
}

void ShowText(StepPlan* plan, const char* text) {
    plan->showText = true;
    plan->text = text;
}

}  // namespace

StepPlan PlanStep(int step, unsigned count, const StepSettings& settings) {
    StepPlan plan;
    switch (static_cast<WorkflowStep>(step)) {
        case WorkflowStep::Reset:
            ShowText(&plan, "<1> リネーム対象を開きます");
            plan.showCount = true;
            for (int id : {IDC_NEW, IDC_EXPORT_CLIPBOARD, IDC_IMPORT_CLIPBOARD, IDC_EXPORT_FILE,
                           IDC_IMPORT_FILE, IDC_OPEN_FILE, IDC_RENAME, IDC_RESTORE,
                           IDC_SORT_NOW_PATH, IDC_CONVERT_ILLEGAL}) {
                plan.grayed.emplace_back(id, true);
            }
            plan.deleteAllRows = true;
            break;
        case WorkflowStep::Added:
        case WorkflowStep::Reordered:
            plan.showCount = true;
            if (count == 0) {
                break;
            }
            ShowText(&plan, "<1> 追加・操作できます。次は出力");
            plan.grayed = {{IDC_NEW, false},
                           {IDC_EXPORT_CLIPBOARD, false},
                           {IDC_IMPORT_CLIPBOARD, true},
                           {IDC_EXPORT_FILE, false},
                           {IDC_IMPORT_FILE, true},
                           {IDC_OPEN_FILE, true},
                           {IDC_SORT_NOW_PATH, false}};
            if (step == static_cast<int>(WorkflowStep::Added)) {
                if (settings.autoSort) {
                    plan.followUps.push_back(IDC_SORT_NOW_PATH);
                }
                if (settings.autoCBCopy) {
                    plan.followUps.push_back(IDC_EXPORT_CLIPBOARD);
                }
            }
            break;
        case WorkflowStep::Exported:
            ShowText(&plan, "<2> 出力しました。次は入力");
            EnableExchangeCommands(&plan);
            break;
        case WorkflowStep::Imported:
        case WorkflowStep::Restored:
            ShowText(&plan, "<3> リネーム可能です");
            EnableExchangeCommands(&plan);
            plan.updateCommandStates = true;
            if (step == static_cast<int>(WorkflowStep::Imported) && settings.autoRename) {
                plan.followUps.push_back(IDC_RENAME);
            }
            break;
        case WorkflowStep::RenameDone:
            ShowText(&plan, "<3> リネーム完了。最初に戻せます");
            EnableExchangeCommands(&plan);
            plan.updateCommandStates = true;
            break;
    }
    return plan;
}
