// The passes kept in the history, in a modal dialog over the main window; OK undoes the selected
// one and the list follows the files it moved back.
#pragma once

struct AppContext;

void ShowHistory(AppContext* c);
