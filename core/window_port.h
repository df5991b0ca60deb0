// What the rename list asks of the main window: its rows and its command states. The program's
// list view provides these; the tests provide a recording stand-in.
#pragma once

#include "platform/handles.h"

// Long work on the entries, for the window to show how far it got.
enum class Work {
    Adding,
    Checking,  // the new names against each other and the disk
    Renaming,
    Restoring,
    Preparing,   // reading what the journal needs of each moving item
    Recovering,  // putting back the files of a pass cut short
    Reviewing,   // finding where the items of a pass cut short are, before asking
    Undoing,     // a pass from the history
};

namespace window_port {

// The window that owns the list's message boxes (and the clipboard while the list uses it).
WindowHandle Owner();

void AddRow(unsigned row);
void WriteRow(unsigned row);
bool IsRowSelected(unsigned row);
void SelectRow(unsigned row, bool selected);
// Whether any entry's edit name differs from its current name, and any entry was renamed: the
// window grays the commands that need either.
void ShowListState(bool anyNeedsRename, bool anyRenamed);
// Called for each entry a long loop has done; cheap when nothing is due. The window may paint
// meanwhile, but nothing else happens in it, so the list stays as the loop sees it.
void ShowProgress(Work work, unsigned done, unsigned total);

}  // namespace window_port
