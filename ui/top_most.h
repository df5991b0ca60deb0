// Always on top: the window and the check mark of its menu item follow the TopMost setting.
#pragma once

struct AppContext;

// First turned over when flip is true.
void ToggleTopMost(AppContext* c, bool flip);
void ApplyTopMost(AppContext* c);
