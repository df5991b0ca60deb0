// What the rename list asks of the main window: its rows and its command states. The program's
// list view provides these; the tests provide a recording stand-in.
#pragma once

struct AppContext;

enum class RowExtent {
    All,         // icon and all four columns
    EditAndNow,  // icon, edit column and current-name column
    EditOnly,    // icon and edit column
};

namespace window_port {

void AddRow(AppContext* context, unsigned row);
void WriteRow(AppContext* context, unsigned row, RowExtent extent);
bool IsRowSelected(AppContext* context, unsigned row);
void SelectRow(AppContext* context, unsigned row, bool selected);
void SetCommandGrayed(AppContext* context, int commandId, bool grayed);

}  // namespace window_port
