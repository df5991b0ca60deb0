// The list window's four-column list: row i shows entry i of the rename list.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "core/rename_entry.h"
#include "core/window_port.h"
#include "platform/handles.h"

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

    // The list's notifications, routed here by the main window.
    void ShowRowMenu();
    void ShowColumnMenu(int clickedSubItem);
    void ShowColumnWidthMenu(int screenX, int screenY);
    void BeginEdit(int row);
    // A cancelled edit (Esc) keeps the edit name.
    void EndEdit(int row, bool cancelled);

  private:
    static LRESULT CALLBACK HeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam);
    void PutRow(const RenameEntry& entry, int row, RowExtent extent);

    WindowHandle listWindow = nullptr;
    AppContext* context;
    HIMAGELIST imageList = nullptr;
    WindowHandle editBox = nullptr;
    int clickedColumn = 0;
    RenameEntry* editedEntry = nullptr;
    WNDPROC oldHeaderProc = nullptr;
};
