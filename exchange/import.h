// Reading edited names back from the IO file or the clipboard: all or nothing. 0 taken over, 1
// stopped (a message was shown).
#pragma once

#include <string>
#include <vector>

#include "settings/list_settings.h"

class RenameList;

int ImportFromFile(RenameList& list, const std::string& path, const ImportRules& rules);
int ImportFromClipboard(RenameList& list, const ImportRules& rules);

// The imported lines as the entries' names, checked together before any is taken, against each
// other and against the disk: 0 fine, 1 after a message.
int CheckNewNames(const RenameList& list, const std::vector<std::string>& lines);
