// The rename list's view of the main window: its rows live in the list view, its command states
// in the menu bar and on the toolbars. The window attaches itself when it is created.

#include <windows.h>

#include "core/rename_list.h"
#include "core/window_port.h"
#include "ui/app_context.h"
#include "ui/command_states.h"
#include "ui/list_view_pane.h"
#include "ui/toolbars.h"
#include "ui/window_port_attach.h"

namespace {

const AppContext* attached = nullptr;

// The list view, once the window and the list are there; the row within the list.
ListViewPane* Pane(unsigned row) {
    return attached && attached->listView && attached->list && row < attached->list->Count()
               ? attached->listView
               : nullptr;
}

}  // namespace

void AttachWindowPort(const AppContext* context) {
    attached = context;
}

namespace window_port {

WindowHandle Owner() {
    return attached ? attached->mainWindow : nullptr;
}

void AddRow(unsigned row) {
    if (ListViewPane* pane = Pane(row)) {
        pane->AddRow();
    }
}

void WriteRow(unsigned row) {
    if (ListViewPane* pane = Pane(row)) {
        pane->WriteRow(row);
    }
}

bool IsRowSelected(unsigned row) {
    return attached && attached->listView && attached->listView->IsRowSelected(row);
}

void SelectRow(unsigned row, bool selected) {
    if (attached && attached->listView) {
        attached->listView->SelectRow(row, selected);
    }
}

void ShowListState(bool anyNeedsRename, bool anyRenamed) {
    if (attached && attached->toolbars) {
        for (const auto& gray : ListStateGrays(anyNeedsRename, anyRenamed)) {
            attached->toolbars->SetCommandGrayed(gray.first, gray.second);
        }
    }
}

void ShowProgress(Work work, unsigned done, unsigned total) {
    if (attached && attached->listView) {
        attached->listView->Progress().Report(work, done, total);
    }
}

}  // namespace window_port
