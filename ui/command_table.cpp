#include "ui/command_table.h"

#include <windows.h>

#include "core/rename_list.h"
#include "res/resource_ids.h"
#include "ui/app_context.h"
#include "ui/commands.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"

namespace {

struct CommandRow {
    int id;
    // Commands that change the entries or their order wait until a running pass has ended.
    bool changesList;
    void (*run)(AppContext*);
};

void Exit(AppContext* c) {
    SendMessageA(c->mainWindow, WM_CLOSE, 0, 0);
}
void Rename(AppContext* c) {
    c->commands->Rename();
}
void Restore(AppContext* c) {
    c->commands->Restore();
}
void New(AppContext* c) {
    c->commands->New();
}

void Columns(AppContext* c, ColumnWidthMode mode) {
    c->listView->SetColumnWidths(mode);
}
void AdjustDefault(AppContext* c) {
    Columns(c, ColumnWidthMode::Default);
    c->listView->FitWindow(true);
}
void AdjustShowAll(AppContext* c) {
    Columns(c, ColumnWidthMode::FitItems);
    c->listView->FitWindow(false);
}
void AdjustEditCentred(AppContext* c) {
    Columns(c, ColumnWidthMode::EditCentred);
    c->listView->FitWindow(false);
}
void WindowDefault(AppContext* c) {
    c->listView->FitWindow(true);
}
void WindowFit(AppContext* c) {
    c->listView->FitWindow(false);
}
void ColumnsDefault(AppContext* c) {
    Columns(c, ColumnWidthMode::Default);
}
void ColumnsFitItems(AppContext* c) {
    Columns(c, ColumnWidthMode::FitItems);
}
void ColumnsEditCentred(AppContext* c) {
    Columns(c, ColumnWidthMode::EditCentred);
}
void SelectAll(AppContext* c) {
    c->listView->SelectAllRows();
}

// Both window modes.
constexpr CommandRow kStage1[] = {
    {IDC_EXIT, false, Exit},
    {IDC_RENAME, true, Rename},
    {IDC_RESTORE, true, Restore},
    {IDC_NEW, true, New},
};

// The list window only.
constexpr CommandRow kStage2[] = {
    {IDC_SELECT_ALL, false, SelectAll},
    {IDC_ADJUST_DEFAULT, false, AdjustDefault},
    {IDC_ADJUST_SHOW_ALL, false, AdjustShowAll},
    {IDC_ADJUST_EDIT_CENTRED, false, AdjustEditCentred},
    {IDC_WINDOW_DEFAULT, false, WindowDefault},
    {IDC_WINDOW_FIT, false, WindowFit},
    {IDC_COLUMNS_DEFAULT, false, ColumnsDefault},
    {IDC_COLUMNS_FIT_ITEMS, false, ColumnsFitItems},
    {IDC_COLUMNS_EDIT_CENTRED, false, ColumnsEditCentred},
};

template <size_t N>
const CommandRow* Find(const CommandRow (&table)[N], int id) {
    for (const CommandRow& row : table) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

bool Run(AppContext* context, const CommandRow* row) {
    if (!row) {
        return false;
    }
    if (!(row->changesList && context->list && context->list->IsBusy())) {
        row->run(context);
    }
    return true;
}

}  // namespace

void DispatchCommand(AppContext* context, int id) {
    if (!context->list || !context->commands) {
        return;
    }
    if (Run(context, Find(kStage1, id))) {
        return;
    }
    if (!context->layout || context->layout->IsNormalMode()) {
        return;
    }
    if (context->listView) {
        Run(context, Find(kStage2, id));
    }
}
