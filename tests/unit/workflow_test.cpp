#include "ui/workflow.h"
#include "core/texts.h"

#include <map>

#include "gtest/gtest.h"
#include "res/resource_ids.h"

namespace {

const StepSettings kDefaults = {true, false, true};

std::map<int, bool> States(const StepPlan& plan) {
    std::map<int, bool> states;
    for (const auto& s : plan.grayed) {
        states[s.first] = s.second;
    }
    return states;
}

TEST(Workflow, ResetShowsStepOneAndGraysEverythingOfTheBatch) {
    StepPlan plan = PlanStep(WorkflowStep::Reset, 7, kDefaults);
    EXPECT_TRUE(plan.showCount);
    EXPECT_EQ(plan.text, texts::kStepFresh);
    EXPECT_TRUE(plan.deleteAllRows);
    const std::vector<std::pair<int, bool>> expected = {{IDC_NEW, true},
                                                        {IDC_EXPORT_CLIPBOARD, true},
                                                        {IDC_IMPORT_CLIPBOARD, true},
                                                        {IDC_EXPORT_FILE, true},
                                                        {IDC_IMPORT_FILE, true},
                                                        {IDC_OPEN_FILE, true},
                                                        {IDC_RENAME, true},
                                                        {IDC_RESTORE, true},
                                                        {IDC_SORT_NOW_PATH, true},
                                                        {IDC_CONVERT_ILLEGAL, true}};
    EXPECT_EQ(plan.grayed, expected);
    EXPECT_TRUE(plan.followUps.empty());
}

TEST(Workflow, AddedWithEntriesSortsAndMayExport) {
    StepPlan plan = PlanStep(WorkflowStep::Added, 3, kDefaults);
    EXPECT_TRUE(plan.showCount);
    EXPECT_EQ(plan.text, texts::kStepAdded);
    std::map<int, bool> s = States(plan);
    EXPECT_FALSE(s.at(IDC_NEW));
    EXPECT_FALSE(s.at(IDC_EXPORT_CLIPBOARD));
    EXPECT_TRUE(s.at(IDC_IMPORT_CLIPBOARD));
    EXPECT_FALSE(s.at(IDC_EXPORT_FILE));
    EXPECT_TRUE(s.at(IDC_IMPORT_FILE));
    EXPECT_TRUE(s.at(IDC_OPEN_FILE));
    EXPECT_FALSE(s.at(IDC_SORT_NOW_PATH));
    EXPECT_EQ(s.count(IDC_RENAME) + s.count(IDC_RESTORE) + s.count(IDC_CONVERT_ILLEGAL), 0u);
    EXPECT_EQ(plan.followUps, (std::vector<int>{IDC_SORT_NOW_PATH}));

    EXPECT_EQ(PlanStep(WorkflowStep::Added, 3, {true, true, true}).followUps,
              (std::vector<int>{IDC_SORT_NOW_PATH, IDC_EXPORT_CLIPBOARD}));
    EXPECT_TRUE(PlanStep(WorkflowStep::Added, 3, {false, false, true}).followUps.empty());
}

TEST(Workflow, QuietFormsShowTheSameWithoutFollowUps) {
    StepPlan reordered = PlanStep(WorkflowStep::Added, 3, {true, true, true}, FollowUps::None);
    EXPECT_EQ(reordered.text, PlanStep(WorkflowStep::Added, 3, kDefaults).text);
    EXPECT_EQ(reordered.grayed, PlanStep(WorkflowStep::Added, 3, kDefaults).grayed);
    EXPECT_TRUE(reordered.followUps.empty());

    StepPlan restored = PlanStep(WorkflowStep::Imported, 3, {true, true, true}, FollowUps::None);
    EXPECT_EQ(restored.text, texts::kStepRenamable);
    EXPECT_TRUE(restored.updateCommandStates);
    EXPECT_TRUE(restored.followUps.empty());
}

TEST(Workflow, AddedWithoutEntriesOnlyShowsTheCount) {
    StepPlan plan = PlanStep(WorkflowStep::Added, 0, kDefaults);
    EXPECT_TRUE(plan.showCount);
    EXPECT_FALSE(plan.showText);
    EXPECT_TRUE(plan.grayed.empty());
    EXPECT_TRUE(plan.followUps.empty());
}

TEST(Workflow, ExportImportAndRenameSteps) {
    StepPlan exported = PlanStep(WorkflowStep::Exported, 2, kDefaults);
    EXPECT_EQ(exported.text, texts::kStepExported);
    const std::vector<std::pair<int, bool>> exchange = {
        {IDC_NEW, false},          {IDC_EXPORT_CLIPBOARD, false}, {IDC_IMPORT_CLIPBOARD, false},
        {IDC_EXPORT_FILE, false},  {IDC_IMPORT_FILE, false},      {IDC_OPEN_FILE, false},
        {IDC_SORT_NOW_PATH, false}};
    EXPECT_EQ(exported.grayed, exchange);
    EXPECT_FALSE(exported.updateCommandStates);

    StepPlan imported = PlanStep(WorkflowStep::Imported, 2, kDefaults);
    EXPECT_EQ(imported.text, texts::kStepRenamable);
    EXPECT_EQ(imported.grayed, exchange);
    EXPECT_TRUE(imported.updateCommandStates);
    EXPECT_EQ(imported.followUps, (std::vector<int>{IDC_RENAME}));
    EXPECT_TRUE(PlanStep(WorkflowStep::Imported, 2, {true, false, false}).followUps.empty());

    StepPlan done = PlanStep(WorkflowStep::RenameDone, 2, kDefaults);
    EXPECT_EQ(done.text, texts::kStepRenamed);
    EXPECT_EQ(done.grayed, exchange);
    EXPECT_TRUE(done.updateCommandStates);
    EXPECT_TRUE(done.followUps.empty());
}

TEST(Workflow, UnknownStepDoesNothing) {
    for (int step : {0, 6, -1, -3, -5, 100}) {
        StepPlan plan = PlanStep(static_cast<WorkflowStep>(step), 3, kDefaults);
        EXPECT_FALSE(plan.showCount || plan.showText || plan.deleteAllRows ||
                     plan.updateCommandStates);
        EXPECT_TRUE(plan.grayed.empty() && plan.followUps.empty());
    }
}

}  // namespace
