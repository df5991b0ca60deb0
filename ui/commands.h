// The command layer between the main window and the list. It holds nothing but the context.
#pragma once

#include <string>

#include "core/rename_entry.h"
#include "exchange/add_text.h"

struct AppContext;
struct HDROP__;

class Commands {
  public:
    explicit Commands(AppContext* context);

    void SetStep(int step);

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
    void OpenFromCommandLine(const std::string& text);
    void OpenDropped(HDROP__* drop);
    void OpenWithDialog();
    // True when the list may be discarded by the command of that name.
    bool ConfirmDiscard(const std::string& commandName);

    // The add dialog over the selected rows, preset to this mode and position; the edit names
    // change after OK. Nothing happens without a selected row.
    void AddToEdit(AddMode mode, AddPosition position);

  private:
    AppContext* context;
};
