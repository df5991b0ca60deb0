// The one process-wide record through which every object reaches every other.
#pragma once

#include "platform/handles.h"

class AppPaths;
class SettingsStore;
class RenameList;
class StatusBar;
class Toolbars;
class ListHold;
class ListViewPane;
class MainLayout;

struct AppContext {
    InstanceHandle instance = nullptr;
    WindowHandle mainWindow = nullptr;
    AppPaths* paths = nullptr;
    SettingsStore* settings = nullptr;
    RenameList* list = nullptr;
    StatusBar* statusBar = nullptr;
    Toolbars* toolbars = nullptr;
    ListHold* hold = nullptr;  // the paths that wait until the list may change
    ListViewPane* listView = nullptr;
    MainLayout* layout = nullptr;
};
