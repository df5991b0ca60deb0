// The wait for the tool's window, and the import (with its rename) when the window closes.
#include "ui/editor_wait.h"

#include <windows.h>

#include "core/rename_list.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "exchange/tool_launcher.h"
#include "settings/app_paths.h"
#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/list_hold.h"
#include "ui/list_view_pane.h"
#include "ui/steps.h"

namespace {

// The edited names back from the IO file; 0 when they were taken.
int ImportIOFile(AppContext* c) {
    RowBatch rows(c);
    return ImportFromFile(*c->list, c->paths->IOFilePath().FullPath(), ImportRulesFromSettings());
}

int WaitForTool(AppContext* c, ToolLauncher* launcher) {
    c->hold->SetNamesOut(true);
    const int result = launcher->OpenAndWait();
    c->hold->SetNamesOut(false);
    return result;
}

}  // namespace

int ExportAndOpen(AppContext* c, NameKind kind) {
    if (ExportToFile(*c->list, c->paths->IOFilePath().FullPath(), kind, true) != 0) {
        return 1;
    }
    if (GetBool(kIdAutoFileOpen)) {
        ToolLauncher launcher(c->instance, c->mainWindow, *c->paths);
        if (!GetBool(kIdAutoFileClose)) {
            launcher.Open();
        } else if (WaitForTool(c, &launcher) == 0 && ImportIOFile(c) == 0) {
            // With AutoRename the rename pass runs inside this call.
            SetStep(c, WorkflowStep::Imported);
            return 0;
        }
    }
    // Also after a refused import: the names are still out, to be mended in the file and read
    // again.
    SetStep(c, WorkflowStep::Exported);
    return 0;
}

int OpenTool(AppContext* c) {
    ToolLauncher launcher(c->instance, c->mainWindow, *c->paths);
    return launcher.Open();
}
