// The names out to the IO file and into the editing tool: the wait for its window, and the import
// (with its rename) when the window closes.
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
#include "ui/commands.h"
#include "ui/list_view_pane.h"
#include "ui/workflow.h"

int Commands::ExportAndOpen(NameKind kind) {
    if (ExportToFile(*context->list, context->paths->IOFilePath().FullPath(), kind, true) != 0) {
        return 1;
    }
    if (GetBool(kIdAutoFileOpen)) {
        ToolLauncher launcher(context->instance, context->mainWindow, *context->paths);
        if (!GetBool(kIdAutoFileClose)) {
            launcher.Open();
        } else if (WaitForTool(&launcher) == 0 && ImportIOFile() == 0) {
            // With AutoRename the rename pass runs inside this call.
            SetStep(WorkflowStep::Imported);
            return 0;
        }
    }
    // Also after a refused import: the names are still out, to be mended in the file and read
    // again.
    SetStep(WorkflowStep::Exported);
    return 0;
}

int Commands::ImportIOFile() {
    RowBatch rows(context);
    return ImportFromFile(*context->list, context->paths->IOFilePath().FullPath(),
                          ImportRulesFromSettings());
}

int Commands::WaitForTool(ToolLauncher* launcher) {
    hold.SetNamesOut(true);
    const int result = launcher->OpenAndWait();
    hold.SetNamesOut(false);
    return result;
}

int Commands::OpenTool() {
    ToolLauncher launcher(context->instance, context->mainWindow, *context->paths);
    return launcher.Open();
}
