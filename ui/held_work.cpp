#include "ui/held_work.h"

#include "core/rename_list.h"
#include "ui/app_context.h"
#include "ui/list_hold.h"
#include "ui/list_view_pane.h"
#include "ui/steps.h"

namespace {

// The kept paths in one batch; again for those that came meanwhile.
void AddKeptPaths(AppContext* c) {
    // A pass walks the entries by index; its own command adds the paths once it has ended.
    if (c->list->IsBusy()) {
        return;
    }
    for (std::string paths; !(paths = c->hold->TakeKept()).empty();) {
        AddBatch(c, std::move(paths));
    }
}

}  // namespace

void RunHeld(AppContext* c, const std::function<void()>& work) {
    // What the work and the adding after it refuse comes in one message at the end.
    Refusals& refusals = c->list->AddRefusals();
    refusals.Open();
    c->hold->Enter();
    work();
    if (c->hold->Leave()) {
        AddKeptPaths(c);
    }
    refusals.Close(c->mainWindow);
}

void AddBatch(AppContext* c, std::string paths) {
    if (paths.empty()) {
        return;
    }
    c->hold->Enter();
    {
        RowBatch rows(c);
        c->list->AddPaths(paths);
        std::string().swap(paths);
        // Sorting and the copy to the clipboard follow inside, as the settings say.
        SetStep(c, WorkflowStep::Added);
    }
    // Paths that came during this batch's messages and follow-ups make the next one.
    c->hold->Leave();
}
