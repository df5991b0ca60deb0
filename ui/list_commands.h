// The commands on the whole list and on the names typed into it: rename, restore, start anew
// (after the confirmation that the first names will be lost), text added to the selected rows,
// and a name typed into a row.
#pragma once

#include <string>

#include "exchange/add_text.h"

struct AppContext;

void RenameAll(AppContext* c);
void RestoreAll(AppContext* c);
void StartAnew(AppContext* c);
// True when the list may be discarded by the command of that name.
bool ConfirmDiscard(AppContext* c, const std::string& commandName);
// The add dialog over the selected rows, preset to this mode and position; the edit names change
// after OK. Nothing happens without a selected row.
void AddToEdit(AppContext* c, AddMode mode, AddPosition position);
// The text typed into the row's name becomes its edit name, once checked.
void TakeTypedName(AppContext* c, int row, const std::string& typed);
