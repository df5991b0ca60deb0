#include "ui/history_dialog.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "core/history.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "res/resource_ids.h"
#include "settings/app_paths.h"
#include "ui/app_context.h"
#include "ui/list_view_pane.h"
#include "ui/steps.h"

namespace {

struct HistoryDialog {
    std::vector<PassRecord> records;  // oldest first, as in the file; shown newest first
    int chosen = -1;                  // the record to undo, when OK was pressed
};

std::wstring Wide(const std::string& held) {
    std::u16string utf16;
    platform::HeldToUtf16(held, &utf16);
    return std::wstring(utf16.begin(), utf16.end());
}

std::size_t RecordOfRow(const HistoryDialog& d, int row) {
    return d.records.size() - 1 - static_cast<std::size_t>(row);
}

int SelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// A pass undone already cannot be undone again.
void UpdateUndoButton(HWND dialog, const HistoryDialog& d) {
    const int row = SelectedRow(GetDlgItem(dialog, IDL_HISTORY_PASSES));
    EnableWindow(GetDlgItem(dialog, IDOK), row >= 0 && !d.records[RecordOfRow(d, row)].undone);
}

void FillList(HWND list, const HistoryDialog& d) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const char* const headers[] = {texts::kHistoryColumnWhen, texts::kHistoryColumnKind,
                                   texts::kHistoryColumnCount, texts::kHistoryColumnFolder};
    for (int i = 0; i < 4; ++i) {
        std::wstring header = Wide(headers[i]);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = &header[0];
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < static_cast<int>(d.records.size()); ++row) {
        const history::PassSummary summary = history::SummaryOf(d.records[RecordOfRow(d, row)]);
        const std::string* const cells[] = {&summary.when, &summary.kind, &summary.count,
                                            &summary.folder};
        for (int i = 0; i < 4; ++i) {
            std::wstring text = Wide(*cells[i]);
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = i;
            item.pszText = &text[0];
            SendMessageW(list, i == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    // Each column as wide as its widest text (or its header).
    for (int i = 0; i < 4; ++i) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), LVSCW_AUTOSIZE_USEHEADER);
    }
    if (!d.records.empty()) {
        LVITEMW newest = {};
        newest.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        newest.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&newest));
    }
}

INT_PTR CALLBACK HistoryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<HistoryDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            d = reinterpret_cast<HistoryDialog*>(lParam);
            HWND list = GetDlgItem(dialog, IDL_HISTORY_PASSES);
            FillList(list, *d);
            UpdateUndoButton(dialog, *d);
            SetFocus(list);
            return FALSE;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDL_HISTORY_PASSES && header->code == LVN_ITEMCHANGED) {
                UpdateUndoButton(dialog, *d);
            }
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const int row = SelectedRow(GetDlgItem(dialog, IDL_HISTORY_PASSES));
                if (row < 0 || d->records[RecordOfRow(*d, row)].undone) {
                    return TRUE;
                }
                d->chosen = static_cast<int>(RecordOfRow(*d, row));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowHistory(AppContext* c) {
    const std::string folder = c->paths->IniFolder();
    HistoryDialog d;
    d.records = history::Load(folder);
    DialogBoxParamW(c->instance, L"MYDLG_HISTORY", c->mainWindow, HistoryProc,
                    reinterpret_cast<LPARAM>(&d));
    if (d.chosen < 0) {
        return;
    }
    history::Undone undone;
    history::UndoResult result;
    // What the dialog covered is drawn again before the work, not left as its ghost.
    RedrawWindow(c->mainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        RowBatch rows(c);
        result = history::Undo(folder, d.records[static_cast<std::size_t>(d.chosen)], &undone,
                               [](unsigned done, unsigned total) {
                                   window_port::ShowProgress(Work::Undoing, done, total);
                               });
        c->list->FollowUndo(undone.back);
    }
    c->list->UpdateCommandStates();
    // Back to the first names: the step says so, as after a restore.
    if (result == history::UndoResult::Done && !undone.back.empty() && c->list->Count() > 0 &&
        !c->list->HasRenamed()) {
        SetStep(c, WorkflowStep::Imported, FollowUps::None);
    }
    switch (result) {
        case history::UndoResult::Done:
            ShowMessageBox(c->mainWindow, history::UndoReport(undone), texts::kTitleHistory,
                           undone.leftAlone.empty() ? kMbIconInformation : kMbIconExclamation);
            break;
        case history::UndoResult::AlreadyUndone:
            ShowMessageBox(c->mainWindow, texts::kUndoAlready, texts::kTitleHistory,
                           kMbIconExclamation);
            break;
        case history::UndoResult::NoJournal:
            ShowMessageBox(c->mainWindow, texts::kUndoNoJournal, texts::kTitleHistory,
                           kMbIconError);
            break;
    }
}
