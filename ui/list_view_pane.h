// The list window's four-column list: row i shows entry i of the rename list.
#pragma once

#include "core/rename_entry.h"
#include "core/window_port.h"
#include "platform/handles.h"

struct AppContext;
struct _IMAGELIST;

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
    void SaveColumnWidths();

    void AddRow(const RenameEntry& entry);
    void WriteRow(const RenameEntry& entry, unsigned row, RowExtent extent);
    bool IsRowSelected(unsigned row) const;
    void SelectRow(unsigned row, bool selected);
    void SelectAllRows();
    void DeleteAllRows();
    int RowCount() const;
    NameKind ClickedKind() const;

    void SetColumnWidths(ColumnWidthMode mode);
    void FitWindow(bool useDefault);

  private:
    void PutRow(const RenameEntry& entry, int row, RowExtent extent);

    WindowHandle listWindow = nullptr;
    AppContext* context;
    _IMAGELIST* imageList = nullptr;
    WindowHandle editBox = nullptr;
    int clickedColumn = 0;
    RenameEntry* editedEntry = nullptr;
};
