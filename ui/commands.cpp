#include "ui/commands.h"

#include <windows.h>

#include "core/rename_list.h"
#include "ui/app_context.h"
#include "ui/list_view_pane.h"

Commands::Commands(AppContext* context) : context(context) {}

void Commands::Rename() {
    context->list->RenameAll();
    MessageBeep(MB_ICONASTERISK);
}

void Commands::Restore() {
    context->list->RestoreAll();
    MessageBeep(MB_ICONEXCLAMATION);
}

void Commands::New() {
    context->list->Clear();
    if (context->listView) {
        context->listView->DeleteAllRows();
    }
}
