// The list of files and folders to be renamed. Row i of the main window's list shows entry i.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/history.h"
#include "core/list_rules.h"
#include "core/listed_paths.h"
#include "core/refusals.h"
#include "core/rename_entry.h"
#include "core/window_port.h"

class FolderKinds;
class PassJournal;
class PlaceIndex;

class RenameList {
  public:
    // `rules` is asked whenever the list needs what the settings say.
    explicit RenameList(std::function<ListRules()> rules);
    // Where passes keep their journal; none without a folder.
    void SetJournalFolder(const std::string& folderSlash) { journalFolder = folderSlash; }
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

    // Adding. 0 added, 1 refused (a message may have been shown). Only a full path is taken; a
    // trailing separator is dropped, a drive or share root refused.
    int AddPath(const std::string& path);
    // Many paths in order, each ended by a NUL, as AddPath adds each, showing its progress; the
    // folders that many of them share are read once.
    void AddPaths(const std::string& paths);
    // Where the roads of adding gather what they refused, for one message each.
    Refusals& AddRefusals() { return refusals; }

    // The rename pass and the restore. 0 done, 1 refused or any rename failed. The check decides
    // everything before any file moves: a refused pass leaves every file where it was.
    int PrepareRename(NameKind targetKind);
    int RenameAll();
    int RestoreAll();
    // Entries whose files an undo of the history moved back show their names as they are now.
    void FollowUndo(const std::vector<history::ItemPaths>& back);

    // Illegal characters of every edit name to their full-width forms; the number of entries
    // whose edit name changed.
    unsigned ConvertIllegalNames();

    // Sorting and moving; every row that changes is rewritten.
    void Sort(NameKind kind, PathPart part, bool toggle);
    void MoveSelected(int offset);
    void RefreshAllRows();
    // Sets the edit name of every selected entry: to the text when given (kind Edit), else to the
    // entry's own name of that kind. Then updates the command states.
    void PasteToEdit(NameKind kind, const std::string* text);
    // Rename and conversion need an edit name that differs, restore a renamed entry.
    void UpdateCommandStates();

    // An export of all rows is the one an import answers (exchange/ reads and writes the names):
    // its names as they went out, a line each, and whether they went out as Unicode text. What
    // went out is the proof of what the user changed when the names come back.
    void NoteExportOfAllRows(std::string names, bool unicode) {
        exportOnRecord = true;
        exportedGeneration = generation;
        exportedNames = std::move(names);
        exportedAsUnicode = unicode;
    }
    const std::string& ExportedNames() const { return exportedNames; }
    bool ExportedAsUnicode() const { return exportedAsUnicode; }
    // The generation changes whenever entries are added, removed or re-ordered: imported lines
    // belong to the entries by position, so they fit only the order they were exported in.
    bool ChangedSinceExport() const { return exportOnRecord && exportedGeneration != generation; }

  private:
    // A folder with a listed item in or above it, or an item below a listed folder: refused,
    // with its message.
    bool Interferes(const std::string& fullPath, bool folder);
    int AddOne(const std::string& path, FolderKinds* kinds);
    int RunPass(NameKind targetKind);
    // The index of the listed paths anew, after a pass changed current paths.
    void Reindex();
    // The entries that stand in the way of another's target, in the order they are to be moved
    // aside; 1 after a message.
    int CheckPass(NameKind targetKind, std::vector<unsigned>* inTheWay, PlaceIndex* onDisk) const;
    struct PassSteps;
    int PlanPass(NameKind targetKind, PassSteps* steps) const;
    bool StartJournal(const std::string* planRecord, PassJournal* journal);
    void KeepInHistory(PassKind kind, const std::string& plan,
                       const std::vector<bool>& madeMoves) const;
    int MoveAside(const PassSteps& steps, Work work, bool* allBack);
    unsigned PassLength(const PassSteps& steps) const;
    bool PutAsideBack(const PassSteps& steps, std::size_t count);
    struct FailedEntry;
    bool PutBackStuckChains(const PassSteps& steps, const std::string& plan,
                            std::vector<FailedEntry>* failed, std::vector<bool>* madeMoves,
                            unsigned* made);

    std::function<ListRules()> rules;
    std::string journalFolder;
    std::vector<std::unique_ptr<RenameEntry>> entries;
    std::vector<RenameEntry*> folders;  // the folder entries in the order they were added
    int lastSortKey = -1;
    bool passRunning = false;
    ListedPaths listed;
    Refusals refusals;
    bool listedStale = false;
    unsigned generation = 0;
    // The generation of the last export of all rows; none after Clear.
    bool exportOnRecord = false;
    unsigned exportedGeneration = 0;
    std::string exportedNames;  // one string: a line per entry, no room per line
    bool exportedAsUnicode = false;
};
