// The settings sheet: four pages of settings and an About page. Values go into the controls when
// a page is first shown and into the settings store only on OK; a page never shown stores
// nothing, and Cancel stores nothing.
#pragma once

#include <string>

#include "platform/handles.h"

class AppPaths;
class SettingsStore;

// What the sheet works with: where its pages come from, the window it opens over, the settings
// and the paths it edits.
struct SheetHost {
    InstanceHandle instance = nullptr;
    WindowHandle owner = nullptr;
    SettingsStore* settings = nullptr;
    AppPaths* paths = nullptr;
};

// The modal sheet over the main window, opened on a page from 0 (basic) to 4 (About).
void ShowSettingsSheet(const SheetHost& host, int startPage);

enum class BrowseKind { ExchangeFile, Tool };
// A save-as dialog that starts in the IO file's folder; true with the chosen full path. A path
// without an exact cp932 form is refused with a message.
bool BrowseForPath(const SheetHost& host, WindowHandle owner, BrowseKind kind, std::string* path);

// The longest path, in cp932 bytes, the basic page stores.
constexpr size_t kSheetPathLimit = 258;

// What the basic page shows and stores.
struct BasicPageValues {
    bool topMost = false;
    bool useExtension = false;
    bool singleApp = false;
    std::string ioFilePath;
    std::string toolPath;
};

BasicPageValues LoadBasicPage(const SheetHost& host);
// OK on the basic page: 0 when stored, the IO file and the tool taking effect at once; 1 after a
// message owned by the page when a path is longer than the limit. Nothing is stored then: a path
// is never cut to a different one.
int StoreBasicPage(const SheetHost& host, const BasicPageValues& values, WindowHandle page);
// The message that refuses a text of this label on OK.
std::string PathTooLongText(const char* label, size_t bytes);

// The check-box pages: their controls' ids are the settings' ids, zero-terminated.
extern const int kAutoPageIds[];
extern const int kDialogPage1Ids[];
extern const int kDialogPage2Ids[];
