#include "ui/command_table.h"

#include <windows.h>

#include <string>

#include "core/rename_list.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "res/resource_ids.h"
#include "settings/app_paths.h"
#include "settings/list_settings.h"
#include "settings/settings_sheet.h"
#include "ui/app_context.h"
#include "ui/command_states.h"
#include "ui/editor_wait.h"
#include "ui/held_work.h"
#include "ui/history_dialog.h"
#include "ui/list_commands.h"
#include "ui/list_hold.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"
#include "ui/opening.h"
#include "ui/steps.h"
#include "ui/top_most.h"

namespace {

struct CommandRow {
    int id;
    void (*run)(AppContext*);
};

// The rows the work rewrites are drawn once, when it has ended.
template <typename Work>
auto Batched(AppContext* c, Work work) {
    RowBatch rows(c);
    return work();
}

void Exit(AppContext* c) {
    SendMessageA(c->mainWindow, WM_CLOSE, 0, 0);
}
void History(AppContext* c) {
    ShowHistory(c);
}

SheetHost SheetOver(AppContext* c) {
    return SheetHost{c->instance, c->mainWindow, c->settings, c->paths};
}

// The window order and the menu check follow a TopMost changed on the sheet.
void Settings(AppContext* c) {
    ShowSettingsSheet(SheetOver(c), 0);
    ToggleTopMost(c, false);
}
void Version(AppContext* c) {
    ShowSettingsSheet(SheetOver(c), 4);
    ToggleTopMost(c, false);
}
void TopMost(AppContext* c) {
    ToggleTopMost(c, true);
}

void ExportClipboard(AppContext* c) {
    ExportToClipboard(*c->list, NameKind::Edit, true);
    SetStep(c, WorkflowStep::Exported);
}
void ImportClipboard(AppContext* c) {
    if (Batched(c, [c] { return ImportFromClipboard(*c->list, ImportRulesFromSettings()); }) == 0) {
        SetStep(c, WorkflowStep::Imported);
    }
}
void ImportFile(AppContext* c) {
    if (Batched(c, [c] {
            return ImportFromFile(*c->list, c->paths->IOFilePath().FullPath(),
                                  ImportRulesFromSettings());
        }) == 0) {
        SetStep(c, WorkflowStep::Imported);
    }
}
void ExportFile(AppContext* c) {
    ExportAndOpen(c, NameKind::Edit);
}
void OpenFile(AppContext* c) {
    if (OpenTool(c) == 0) {
        SetStep(c, WorkflowStep::Exported);
    }
}
void ColumnToFile(AppContext* c) {
    ExportAndOpen(c, c->listView->ClickedKind());
}
void ToggleMode(AppContext* c) {
    if (c->layout) {
        c->layout->ToggleMode();
    }
}
void SortByNowPath(AppContext* c) {
    Batched(c, [c] { c->list->Sort(NameKind::Now, PathPart::FullPath, false); });
    SetStep(c, WorkflowStep::Added, FollowUps::None);
}
void ConvertIllegal(AppContext* c) {
    Batched(c, [c] { c->list->ConvertIllegalNames(); });
}

void Paste(AppContext* c, NameKind kind, const std::string* text) {
    Batched(c, [=] { c->list->PasteToEdit(kind, text); });
}
void PasteOld(AppContext* c) {
    Paste(c, NameKind::Old, nullptr);
}
void PasteNow(AppContext* c) {
    Paste(c, NameKind::Now, nullptr);
}
void PasteClipboard(AppContext* c) {
    const std::string text = ClipboardFirstLine(c->mainWindow);
    if (!text.empty()) {
        Paste(c, NameKind::Edit, &text);
    }
}
void PasteDelete(AppContext* c) {
    const std::string empty;
    Paste(c, NameKind::Edit, &empty);
}
void CopyOld(AppContext* c) {
    ExportToClipboard(*c->list, NameKind::Old, false);
}
void CopyNow(AppContext* c) {
    ExportToClipboard(*c->list, NameKind::Now, false);
}
void CopyEdit(AppContext* c) {
    ExportToClipboard(*c->list, NameKind::Edit, false);
}
void ColumnToClipboard(AppContext* c) {
    ExportToClipboard(*c->list, c->listView->ClickedKind(), true);
}
void SortBy(AppContext* c, PathPart part) {
    Batched(c, [=] { c->list->Sort(c->listView->ClickedKind(), part, true); });
    SetStep(c, WorkflowStep::Added, FollowUps::None);
}
void SortFileName(AppContext* c) {
    SortBy(c, PathPart::FileName);
}
void SortFullPath(AppContext* c) {
    SortBy(c, PathPart::FullPath);
}
void Move(AppContext* c, int offset) {
    Batched(c, [=] { c->list->MoveSelected(offset); });
}
void MoveTop(AppContext* c) {
    Move(c, -1073741824);
}
void MoveUp(AppContext* c) {
    Move(c, -1);
}
void MoveDown(AppContext* c) {
    Move(c, 1);
}
void MoveBottom(AppContext* c) {
    Move(c, 1073741823);
}
template <AddMode mode, AddPosition position>
void AddToEditAs(AppContext* c) {
    AddToEdit(c, mode, position);
}
void SelectAll(AppContext* c) {
    c->listView->SelectAllRows();
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

// Both window modes.
constexpr CommandRow kInBothModes[] = {
    {IDC_EXIT, Exit},
    {IDC_OPEN, OpenWithDialog},
    {IDC_EXPORT_CLIPBOARD, ExportClipboard},
    {IDC_IMPORT_CLIPBOARD, ImportClipboard},
    {IDC_RENAME, RenameAll},
    {IDC_RESTORE, RestoreAll},
    {IDC_HISTORY, History},
    {IDC_NEW, StartAnew},
    {IDC_SETTINGS, Settings},
    {IDC_VERSION, Version},
    {IDC_TOP_MOST, TopMost},
    {IDC_SORT_NOW_PATH, SortByNowPath},
    {IDC_EXPORT_FILE, ExportFile},
    {IDC_IMPORT_FILE, ImportFile},
    {IDC_OPEN_FILE, OpenFile},
    {IDC_CONVERT_ILLEGAL, ConvertIllegal},
    {IDC_MODE_CHANGE, ToggleMode},
};

// The list window only.
constexpr CommandRow kInListWindowOnly[] = {
    {IDC_PASTE_OLD, PasteOld},
    {IDC_PASTE_NOW, PasteNow},
    {IDC_PASTE_CLIPBOARD, PasteClipboard},
    {IDC_PASTE_DELETE, PasteDelete},
    {IDC_COPY_OLD, CopyOld},
    {IDC_COPY_NOW, CopyNow},
    {IDC_COPY_EDIT, CopyEdit},
    {IDC_COLUMN_TO_CLIPBOARD, ColumnToClipboard},
    {IDC_COLUMN_TO_FILE, ColumnToFile},
    {IDC_SORT_FILE_NAME, SortFileName},
    {IDC_SORT_FULL_PATH, SortFullPath},
    {IDC_MOVE_TOP, MoveTop},
    {IDC_MOVE_UP, MoveUp},
    {IDC_MOVE_DOWN, MoveDown},
    {IDC_MOVE_BOTTOM, MoveBottom},
    {IDC_SELECT_ALL, SelectAll},
    {IDC_ADD_TEXT_FRONT, AddToEditAs<AddMode::Text, AddPosition::Front>},
    {IDC_ADD_TEXT_BEHIND, AddToEditAs<AddMode::Text, AddPosition::Back>},
    {IDC_ADD_TEXT_REPLACE, AddToEditAs<AddMode::Text, AddPosition::Inside>},
    {IDC_ADD_NUM_FRONT, AddToEditAs<AddMode::Number, AddPosition::Front>},
    {IDC_ADD_NUM_BEHIND, AddToEditAs<AddMode::Number, AddPosition::Back>},
    {IDC_ADD_NUM_REPLACE, AddToEditAs<AddMode::Number, AddPosition::Inside>},
    {IDC_ADJUST_DEFAULT, AdjustDefault},
    {IDC_ADJUST_SHOW_ALL, AdjustShowAll},
    {IDC_ADJUST_EDIT_CENTRED, AdjustEditCentred},
    {IDC_WINDOW_DEFAULT, WindowDefault},
    {IDC_WINDOW_FIT, WindowFit},
    {IDC_COLUMNS_DEFAULT, ColumnsDefault},
    {IDC_COLUMNS_FIT_ITEMS, ColumnsFitItems},
    {IDC_COLUMNS_EDIT_CENTRED, ColumnsEditCentred},
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
    if (!ChangesList(row->id)) {
        row->run(context);
    } else if (!context->list->IsBusy() && !context->hold->NamesOut()) {
        // Paths that arrive during the command's message boxes and follow-ups wait for its end.
        RunHeld(context, [&] { row->run(context); });
    }
    return true;
}

}  // namespace

void DispatchCommand(AppContext* context, int id) {
    // Only sent from outside can a command arrive while long work paints; it is not taken.
    if (!context->list || !context->hold || ProgressShow::Painting()) {
        return;
    }
    if (Run(context, Find(kInBothModes, id))) {
        return;
    }
    if (!context->layout || context->layout->IsNormalMode() || !context->listView) {
        return;
    }
    Run(context, Find(kInListWindowOnly, id));
}
