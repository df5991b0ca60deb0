// The list of files and folders to be renamed. Row i of the main window's list shows entry i.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/rename_entry.h"

struct AppContext;

class RenameList {
  public:
    explicit RenameList(AppContext* context);
    ~RenameList();
    RenameList(const RenameList&) = delete;
    RenameList& operator=(const RenameList&) = delete;

    unsigned Count() const { return static_cast<unsigned>(entries.size()); }
    RenameEntry& At(unsigned index) { return *entries[index]; }
    const RenameEntry& At(unsigned index) const { return *entries[index]; }
    // Deletes every entry. Does nothing while a rename pass runs.
    void Clear();
    bool HasRenamed() const;

    // True while a rename or restore pass runs, including while one of its message boxes is
    // open: the pass walks the entries by index, so nothing may change the list then.
    bool IsBusy() const { return passRunning; }

    // Adding. 0 added, 1 refused (a message may have been shown).
    int AddPath(const std::string& fullPath);
    int AddPathIn(const std::string& folder, const std::string& name);
    bool CheckInterference(const std::string& fullPath);

    // The rename pass and the restore. 0 done, 1 refused or any rename failed.
    int PrepareRename(NameKind targetKind);
    int RenameAll();
    int RestoreAll();

  private:
    int RunPass(NameKind targetKind);

    AppContext* context;
    std::vector<std::unique_ptr<RenameEntry>> entries;
    std::vector<RenameEntry*> folders;  // the folder entries in the order they were added
    int lastSortKey = -1;
    bool passRunning = false;
};
