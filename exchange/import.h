// Reading edited names back from the IO file or the clipboard: all or nothing. 0 taken over, 1
// stopped (a message was shown).
#pragma once

#include <string>

class RenameList;

int ImportFromFile(RenameList& list, const std::string& path);
int ImportFromClipboard(RenameList& list);
