// The command layer between the main window and the list. Besides the context it holds only the
// list's hold: the paths that wait until the list may change.
#pragma once

#include <functional>
#include <string>

#include "core/rename_entry.h"
#include "exchange/add_text.h"
#include "ui/list_hold.h"
#include "ui/workflow.h"

struct AppContext;
struct HDROP__;
class ToolLauncher;

class Commands {
  public:
    explicit Commands(AppContext* context);

    void SetStep(WorkflowStep step);

    // The names to the IO file, then, as the settings say, the tool on it, the wait for its
    // window and the import. 1 only when the file could not be written.
    int ExportAndOpen(NameKind kind);
    // The tool on the IO file without waiting; 0 when it was started.
    int OpenTool();

    void Rename();
    void Restore();
    void New();

    // Opening files; each batch ends in the Added step.
    void OpenStartupArguments();
    // A second start's paths are kept at once, so that it need not wait for this one's
    // messages; AddHandedOver, posted after, adds them when the list may change.
    void KeepHandedOver(const std::string& text);
    void AddHandedOver();
    void RefuseHandOver(unsigned long bytes);
    void OpenDropped(HDROP__* drop);
    void OpenWithDialog();
    // True when the list may be discarded by the command of that name.
    bool ConfirmDiscard(const std::string& commandName);

    // Runs work during which the list must not change under it; paths that arrive meanwhile are
    // added once the outermost such work has ended.
    void RunHeld(const std::function<void()>& work);
    // True while the names are out in the tool: then nothing may change the list.
    bool NamesOut() const { return hold.NamesOut(); }
    // The add dialog over the selected rows, preset to this mode and position; the edit names
    // change after OK. Nothing happens without a selected row.
    void AddToEdit(AddMode mode, AddPosition position);

    // Always on top: the window and the check mark of 40058 follow the TopMost setting, first
    // turned over when flip is true.
    void ToggleTopMost(bool flip);
    void ApplyTopMost();

  private:
    int WaitForTool(ToolLauncher* launcher);
    // The edited names back from the IO file; 0 when they were taken.
    int ImportIOFile();
    // The kept paths in one batch, then the Added step; again for those that came meanwhile.
    void AddKeptPaths();

    AppContext* context;
    ListHold hold;
};
