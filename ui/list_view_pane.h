// The list window's four-column list: row i shows entry i of the rename list.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "core/rename_entry.h"
#include "core/window_port.h"
#include "platform/handles.h"
#include "ui/list_hold.h"
#include "ui/progress.h"

struct AppContext;

enum class ColumnWidthMode { FitItems = 0, Default = 1, EditCentred = 2 };

class ListViewPane {
  public:
    explicit ListViewPane(AppContext* context);
    ~ListViewPane();
    ListViewPane(const ListViewPane&) = delete;
    ListViewPane& operator=(const ListViewPane&) = delete;

    WindowHandle Window() const { return listWindow; }
    void ShowList(bool show);
    void Layout(int clientWidth, int clientHeight);
    // The column widths are kept at 96 dpi, and shown at the window's.
    void SaveColumnWidths();
    // The row icons and the column widths for a new dpi of the window.
    void ApplyDpi(int newDpi);

    void AddRow();
    void WriteRow(unsigned row);
    bool IsRowSelected(unsigned row);
    void SelectRow(unsigned row, bool selected);
    void SelectAllRows();
    void DeleteAllRows();
    int RowCount();
    NameKind ClickedKind() const;

    // Many rows written at once are drawn once, at the end of the outermost batch.
    void BeginRowBatch();
    void EndRowBatch();
    // Long work inside the outermost batch shows its progress here.
    ProgressShow& Progress() { return progress; }

    void SetColumnWidths(ColumnWidthMode mode);
    void FitWindow(bool useDefault);

    // The list's notifications, routed here by the main window.
    void ShowRowMenu();
    void ShowColumnMenu(int clickedSubItem);
    void ShowColumnWidthMenu(int screenX, int screenY);
    // The control asks for a row's texts and icon as it draws it (LVN_GETDISPINFOW).
    void FillRow(LVITEMW* item);
    // Typing on the list: the next row from the start row on whose edit name begins with the
    // typed text, ignoring case; -1 when none.
    LRESULT FindRow(const NMLVFINDITEMW& find);
    void BeginEdit(int row);
    // The text typed into the row, unless the edit was cancelled (Esc keeps the edit name) or the
    // row is not the one it began on.
    bool EndEdit(int row, bool cancelled, std::string* typed);
    // Counts every write of a row: a change of the count says that the rows may show other
    // entries than before.
    unsigned RowWrites() const { return rowWrites; }

  private:
    // A length at 96 dpi in the window's pixels.
    int Px(int stored) const;
    static LRESULT CALLBACK HeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam);
    // A new row (row -1) or a changed one: the control learns the count, or draws the row again.
    void PutRow(int row);
    // The control's row count made the list's, after rows were added in a batch.
    void ShowRowCount();
    // Ends an open in-place edit without taking its text: the rows are about to change, and the
    // row it began on may soon show another entry or none.
    void CancelEdit();

    WindowHandle listWindow = nullptr;
    AppContext* context;
    HIMAGELIST imageList = nullptr;
    WindowHandle editBox = nullptr;
    int clickedColumn = 0;
    int columnsDpi = 96;  // the dpi the column widths were last set for
    // The widths at 96 dpi the shown ones were made from.
    int keptWidths[4] = {};
    int KeptWidth(int column);
    // The row of the in-place edit in progress, -1 when none; any change of the rows ends it.
    int editRow = -1;
    // Counts every row written or removed, so that the end of an edit can tell whether the rows
    // changed while it showed a message.
    unsigned rowWrites = 0;
    WNDPROC oldHeaderProc = nullptr;
    // The rows the list has, and the rows the control was told of: adding in a batch tells it
    // once, at the end.
    unsigned rows = 0;
    unsigned shownRows = 0;
    Nesting rowBatches;
    bool redrawOff = false;
    ProgressShow progress;
};

// A batch of row writes drawn once (see BeginRowBatch), for as long as the object lives.
class RowBatch {
  public:
    explicit RowBatch(AppContext* context);
    ~RowBatch();
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

  private:
    ListViewPane* pane;
};
