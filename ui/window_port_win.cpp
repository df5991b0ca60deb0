// The rename list's view of the main window: its rows live in the list view, its command states
// in the menu bar and on the toolbars.

#include <windows.h>

#include "core/app_context.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "ui/list_view_pane.h"
#include "ui/toolbars.h"

namespace window_port {

void AddRow(AppContext* context, unsigned row) {
    if (context->listView && context->list && row < context->list->Count()) {
        context->listView->AddRow(context->list->At(row));
    }
}

void WriteRow(AppContext* context, unsigned row) {
    if (context->listView && context->list && row < context->list->Count()) {
        context->listView->WriteRow(context->list->At(row), row);
    }
}

bool IsRowSelected(AppContext* context, unsigned row) {
    return context->listView && context->listView->IsRowSelected(row);
}

void SelectRow(AppContext* context, unsigned row, bool selected) {
    if (context->listView) {
        context->listView->SelectRow(row, selected);
    }
}

void SetCommandGrayed(AppContext* context, int commandId, bool grayed) {
    if (context->toolbars) {
        context->toolbars->SetCommandGrayed(commandId, grayed);
    }
}

void ShowProgress(AppContext* context, Work work, unsigned done, unsigned total) {
    if (context->listView) {
        context->listView->Progress().Report(work, done, total);
    }
}

}  // namespace window_port
