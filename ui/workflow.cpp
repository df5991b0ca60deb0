#include "ui/workflow.h"

#include "core/texts.h"
#include "res/resource_ids.h"
#include "ui/command_states.h"

namespace {

void ShowText(StepPlan* plan, const char* text) {
    plan->showText = true;
    plan->text = text;
}

}  // namespace

StepPlan PlanStep(WorkflowStep step, unsigned count, const StepSettings& settings,
                  FollowUps followUps) {
    StepPlan plan;
    const bool send = followUps == FollowUps::Send;
    plan.grayed = StepGrays(step, count);
    switch (step) {
        case WorkflowStep::Reset:
            ShowText(&plan, texts::kStepFresh);
            plan.showCount = true;
            plan.deleteAllRows = true;
            break;
        case WorkflowStep::Added:
            plan.showCount = true;
            if (count == 0) {
                break;
            }
            ShowText(&plan, texts::kStepAdded);
            if (send && settings.autoSort) {
                plan.followUps.push_back(IDC_SORT_NOW_PATH);
            }
            if (send && settings.autoCBCopy) {
                plan.followUps.push_back(IDC_EXPORT_CLIPBOARD);
            }
            break;
        case WorkflowStep::Exported:
            ShowText(&plan, texts::kStepExported);
            break;
        case WorkflowStep::Imported:
            ShowText(&plan, texts::kStepRenamable);
            plan.updateCommandStates = true;
            if (send && settings.autoRename) {
                plan.followUps.push_back(IDC_RENAME);
            }
            break;
        case WorkflowStep::RenameDone:
            ShowText(&plan, texts::kStepRenamed);
            plan.updateCommandStates = true;
            break;
    }
    return plan;
}
