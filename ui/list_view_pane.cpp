#include "ui/list_view_pane.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/screen_scale.h"
#include "platform/window_text.h"
#include "res/resource_ids.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/artwork.h"
#include "ui/command_states.h"
#include "ui/control_ids.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"
#include "ui/window_modes.h"

namespace {

// Owner data: the control keeps no texts of its own and asks for the visible rows' as it draws
// them, so a hundred thousand rows cost no more to add, sort or rewrite than the entries do.
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_OWNERDATA;
constexpr int kDefaultColumnWidth = 150;
const char* const kWidthKeys[] = {keys::kColumnWidthEdit, keys::kColumnWidthNow,
                                  keys::kColumnWidthOld, keys::kColumnWidthPath};

int RowIcon(const RenameEntry& entry) {
    const bool renamed =
        entry.Path(NameKind::Old).FileName() != entry.Path(NameKind::Now).FileName();
    return (entry.IsFolder() ? 0 : 1) + (renamed ? 2 : 0);
}

}  // namespace

ListViewPane::ListViewPane(AppContext* context) : context(context), progress(context) {
    HWND main = context->mainWindow;
    listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", kListStyle, 0, 0, 0, 0, main,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListViewId)),
                                 context->instance, nullptr);
    if (!listWindow) {
        return;
    }
    // The rows' texts are asked for in UTF-16, so what is shown does not depend on the system's
    // ANSI code page.
    SendMessageA(listWindow, CCM_SETUNICODEFORMAT, TRUE, 0);
    LRESULT ex = SendMessageA(listWindow, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 ex | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);

    const int dpi = columnsDpi = WindowDpi(main);
    imageList = LoadArtwork(context->instance, Artwork::RowIcons, dpi);
    SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(imageList));

    const std::string headers[] = {GetInitialBool(kIdUseExtension)
                                       ? texts::kColumnEditWithExtension
                                       : texts::kColumnEditWithoutExtension,
                                   texts::kColumnNow, texts::kColumnFirst, texts::kColumnPlace};
    for (int i = 0; i < 4; ++i) {
        std::wstring text = WideText(headers[i]);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        keptWidths[i] = context->settings->GetInt(kWidthKeys[i], 0);
        column.cx = ToDevicePixels(keptWidths[i], dpi);
        column.pszText = &text[0];
        column.iSubItem = i;
        SendMessageW(listWindow, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    // The header's own procedure gives the column-width menu on a right click.
    if (HWND header = GetTopWindow(listWindow)) {
        oldHeaderProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(header, GWLP_WNDPROC));
        SetWindowLongPtrA(header, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderProc));
    }
    ShowList(context->settings->GetString(keys::kWindowMode, "Normal") != "Normal");
}

ListViewPane::~ListViewPane() {
    if (listWindow && IsWindow(listWindow)) {
        DestroyWindow(listWindow);
    }
    if (imageList) {
        ImageList_Destroy(imageList);
    }
}

void ListViewPane::ShowList(bool show) {
    ShowWindow(listWindow, show ? SW_SHOWNORMAL : SW_HIDE);
}

void ListViewPane::Layout(int clientWidth, int clientHeight) {
    // The toolbar and the list share the control id 100, so the bar is not looked up by id.
    int toolbar = 0;
    if (context->toolbars) {
        const RECT bar = context->toolbars->GetListModeBarRect();
        toolbar = bar.bottom - bar.top;
    }
    const int status = context->statusBar ? context->statusBar->Height() : 0;
    MoveWindow(listWindow, 0, toolbar, clientWidth, clientHeight - toolbar - status, TRUE);
}

void ListViewPane::SaveColumnWidths() {
    if (!listWindow) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        context->settings->SetInt(kWidthKeys[i], KeptWidth(i));
    }
}

int ListViewPane::KeptWidth(int column) {
    const int shown = static_cast<int>(
        SendMessageA(listWindow, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    // Only a width the user (or a command) changed is taken anew from the screen: one scaled from
    // the kept width each time would drift a pixel at every change of scale.
    if (ToDevicePixels(keptWidths[column], columnsDpi) != shown) {
        keptWidths[column] = ToStoredPixels(shown, columnsDpi);
    }
    return keptWidths[column];
}

void ListViewPane::ApplyDpi(int newDpi) {
    HIMAGELIST old = imageList;
    imageList = LoadArtwork(context->instance, Artwork::RowIcons, newDpi);
    SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(imageList));
    if (old) {
        ImageList_Destroy(old);
    }
    for (int i = 0; i < 4; ++i) {
        const int kept = KeptWidth(i);
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     ToDevicePixels(kept, newDpi));
    }
    columnsDpi = newDpi;
}

int ListViewPane::Px(int stored) const {
    return ToDevicePixels(stored, WindowDpi(context->mainWindow));
}

void ListViewPane::PutRow(int row) {
    CancelEdit();
    ++rowWrites;
    if (row < 0) {
        ++rows;
        if (!rowBatches.Inside()) {
            ShowRowCount();
        }
        return;
    }
    // Inside a batch the whole list is drawn at its end; a row out of sight is drawn when it
    // scrolls in.
    if (rowBatches.Inside() || static_cast<unsigned>(row) >= shownRows) {
        return;
    }
    const LRESULT top = SendMessageA(listWindow, LVM_GETTOPINDEX, 0, 0);
    const LRESULT page = SendMessageA(listWindow, LVM_GETCOUNTPERPAGE, 0, 0);
    if (row >= top && row <= top + page) {
        SendMessageA(listWindow, LVM_REDRAWITEMS, static_cast<WPARAM>(row),
                     static_cast<LPARAM>(row));
    }
}

void ListViewPane::ShowRowCount() {
    if (shownRows == rows) {
        return;
    }
    shownRows = rows;
    SendMessageA(listWindow, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ListViewPane::FillRow(LVITEMW* item) {
    const RenameList* list = context->list;
    if (!list || item->iItem < 0 || static_cast<unsigned>(item->iItem) >= list->Count()) {
        if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            item->pszText[0] = L'\0';
        }
        return;
    }
    const RenameEntry& entry = list->At(static_cast<unsigned>(item->iItem));
    if ((item->mask & LVIF_IMAGE) && item->iSubItem == 0) {
        item->iImage = RowIcon(entry);
    }
    if (!(item->mask & LVIF_TEXT) || !item->pszText || item->cchTextMax <= 0) {
        return;
    }
    std::wstring text;
    switch (item->iSubItem) {
        case 0:
            text = WideText(entry.DisplayName(NameKind::Edit));
            break;
        case 1:
            text = WideText(entry.Path(NameKind::Now).FileName());
            break;
        case 2:
            text = WideText(entry.Path(NameKind::Old).FileName());
            break;
        case 3:
            text = WideText(entry.Path(NameKind::Old).Folder());
            break;
        default:
            break;
    }
    const size_t room = static_cast<size_t>(item->cchTextMax) - 1;
    const size_t n = text.size() < room ? text.size() : room;
    text.copy(item->pszText, n);
    item->pszText[n] = L'\0';
}

LRESULT ListViewPane::FindRow(const NMLVFINDITEMW& find) {
    const RenameList* list = context->list;
    if (!list || !(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) {
        return -1;
    }
    const std::wstring typed = find.lvfi.psz;
    const unsigned n = list->Count();
    const unsigned start = find.iStart >= 0 && static_cast<unsigned>(find.iStart) < n
                               ? static_cast<unsigned>(find.iStart)
                               : 0;
    for (unsigned k = 0; k < n; ++k) {
        const unsigned row = (start + k) % n;
        const std::wstring name = WideText(list->At(row).DisplayName(NameKind::Edit));
        if (name.size() >= typed.size() &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(),
                           static_cast<int>(typed.size()), typed.c_str(),
                           static_cast<int>(typed.size())) == CSTR_EQUAL) {
            return static_cast<LRESULT>(row);
        }
    }
    return -1;
}

void ListViewPane::AddRow() {
    PutRow(-1);
}

void ListViewPane::WriteRow(unsigned row) {
    // Every cell is read afresh when the row is drawn.
    PutRow(static_cast<int>(row));
}

bool ListViewPane::IsRowSelected(unsigned row) {
    ShowRowCount();
    return SendMessageA(listWindow, LVM_GETITEMSTATE, row, LVIS_SELECTED) == LVIS_SELECTED;
}

void ListViewPane::SelectRow(unsigned row, bool selected) {
    ShowRowCount();
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(listWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ListViewPane::SelectAllRows() {
    // One message for all rows: the control keeps an owner-data selection as ranges.
    ShowRowCount();
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(listWindow, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

void ListViewPane::DeleteAllRows() {
    CancelEdit();
    ++rowWrites;
    rows = shownRows = 0;
    SendMessageA(listWindow, LVM_DELETEALLITEMS, 0, 0);
}

void ListViewPane::BeginRowBatch() {
    // A hidden list draws nothing anyway, and turning redraw back on would show it.
    if (!rowBatches.Enter()) {
        return;
    }
    progress.Begin();
    if (IsWindowVisible(listWindow)) {
        SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
        redrawOff = true;
    }
}

void ListViewPane::EndRowBatch() {
    if (!rowBatches.Leave()) {
        return;
    }
    ShowRowCount();
    if (redrawOff) {
        redrawOff = false;
        SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(listWindow, nullptr, TRUE);
    }
    progress.End();
}

RowBatch::RowBatch(AppContext* context) : pane(context->listView) {
    if (pane) {
        pane->BeginRowBatch();
    }
}

RowBatch::~RowBatch() {
    if (pane) {
        pane->EndRowBatch();
    }
}

int ListViewPane::RowCount() {
    ShowRowCount();
    return static_cast<int>(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0));
}

NameKind ListViewPane::ClickedKind() const {
    switch (clickedColumn) {
        case 0:
            return NameKind::Edit;
        case 1:
            return NameKind::Now;
        default:
            return NameKind::Old;
    }
}

void ListViewPane::SetColumnWidths(ColumnWidthMode mode) {
    const int fit = RowCount() > 0 ? LVSCW_AUTOSIZE : LVSCW_AUTOSIZE_USEHEADER;
    if (mode == ColumnWidthMode::Default) {
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, 0, Px(kDefaultColumnWidth));
    } else {
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, 0, fit);
        LRESULT width = SendMessageA(listWindow, LVM_GETCOLUMNWIDTH, 0, 0);
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, 0, width + Px(20));
    }
    for (int i = 1; i < 4; ++i) {
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     mode == ColumnWidthMode::FitItems ? fit : Px(kDefaultColumnWidth));
    }
}

void ListViewPane::FitWindow(bool useDefault) {
    HWND main = context->mainWindow;
    RECT w;
    GetWindowRect(main, &w);
    int width = Px(kListWindowWidth);
    int height = Px(kListWindowHeight);
    if (!useDefault) {
        POINT p = {width, height};
        const int rows = RowCount();
        if (rows > 0) {
            RECT last = {};
            last.left = LVIR_BOUNDS;
            SendMessageA(listWindow, LVM_GETITEMRECT, static_cast<WPARAM>(rows - 1),
                         reinterpret_cast<LPARAM>(&last));
            p = {last.right, last.bottom};
        }
        ClientToScreen(listWindow, &p);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (p.x > work.right - Px(20))
            p.x = work.right - Px(20);
        if (p.y > work.bottom - Px(20))
            p.y = work.bottom - Px(20);
        width = p.x - w.left + Px(25);
        height = p.y - w.top + Px(45);
    }
    MoveWindow(main, w.left, w.top, width, height, TRUE);
}

namespace {

// The pop-up menus are loaded afresh for each use and destroyed afterwards.
void TrackMenu(AppContext* context, int popup, int x, int y, const std::vector<int>& grayed) {
    HMENU menu = LoadMenuA(context->instance, "MYMENU_R");
    if (!menu) {
        return;
    }
    HMENU sub = GetSubMenu(menu, popup);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = MFS_GRAYED;
    for (int id : grayed) {
        SetMenuItemInfoA(sub, static_cast<UINT>(id), FALSE, &info);
    }
    TrackPopupMenu(sub, 0, x, y, 0, context->mainWindow, nullptr);
    DestroyMenu(menu);
}

}  // namespace

void ListViewPane::ShowRowMenu() {
    POINT p;
    GetCursorPos(&p);
    const bool anySelected =
        SendMessageA(listWindow, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) != -1;
    TrackMenu(context, 0, p.x, p.y, RowMenuGrays(anySelected));
}

void ListViewPane::ShowColumnMenu(int clickedSubItem) {
    clickedColumn = clickedSubItem;
    if (clickedSubItem >= 3) {
        return;
    }
    POINT p;
    GetCursorPos(&p);
    TrackMenu(context, 2, p.x, p.y, ColumnMenuGrays(RowCount() > 0));
}

void ListViewPane::ShowColumnWidthMenu(int screenX, int screenY) {
    TrackMenu(context, 1, screenX, screenY, {});
}

LRESULT CALLBACK ListViewPane::HeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pane = reinterpret_cast<ListViewPane*>(GetWindowLongPtrA(header, GWLP_USERDATA));
    if (message == WM_RBUTTONUP && pane) {
        POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(header, &p);
        pane->ShowColumnWidthMenu(p.x, p.y);
    }
    WNDPROC old = pane ? pane->oldHeaderProc : nullptr;
    return old ? CallWindowProcA(old, header, message, wParam, lParam)
               : DefWindowProcA(header, message, wParam, lParam);
}

void ListViewPane::BeginEdit(int row) {
    editBox = reinterpret_cast<HWND>(SendMessageA(listWindow, LVM_GETEDITCONTROL, 0, 0));
    editRow = row >= 0 && static_cast<unsigned>(row) < context->list->Count() ? row : -1;
}

void ListViewPane::CancelEdit() {
    if (editRow < 0) {
        return;
    }
    // Cleared first: the control reports the end of the edit from inside the cancel.
    editRow = -1;
    editBox = nullptr;
    SendMessageA(listWindow, LVM_CANCELEDITLABEL, 0, 0);
    // The list of common controls 5 knows no cancel message; editing row -1 ends the edit there.
    if (SendMessageA(listWindow, LVM_GETEDITCONTROL, 0, 0) != 0) {
        SendMessageA(listWindow, LVM_EDITLABELA, static_cast<WPARAM>(-1), 0);
    }
}

bool ListViewPane::EndEdit(int row, bool cancelled, std::string* typed) {
    const int began = editRow;
    HWND box = editBox;
    editRow = -1;
    editBox = nullptr;
    RenameList* list = context->list;
    if (cancelled || began < 0 || row != began || !box ||
        static_cast<unsigned>(row) >= list->Count() || list->IsBusy()) {
        return false;
    }
    // The edit box holds UTF-16; every character of it is taken exactly.
    // The box may be an ANSI window, whose length comes in bytes: that is enough room, and the
    // copy says how many characters it really holds.
    const int room = GetWindowTextLengthW(box) + 1;
    std::wstring wide(static_cast<size_t>(room), L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(box, &wide[0], room)));
    *typed = Cp932Text(wide);
    return true;
}
