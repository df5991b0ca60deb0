#include "core/rename_list.h"

RenameList::RenameList(std::function<ListRules()> rules) : rules(std::move(rules)) {}

RenameList::~RenameList() {
    folders.clear();
    entries.clear();
}

void RenameList::Clear() {
    if (passRunning) {
        return;
    }
    folders.clear();
    entries.clear();
    listed.Clear();
    listedStale = false;
    lastSortKey = -1;
    ++generation;
    exportOnRecord = false;
    std::string().swap(exportedNames);
}

bool RenameList::HasRenamed() const {
    for (const auto& entry : entries) {
        if (entry->WasRenamed()) {
            return true;
        }
    }
    return false;
}
