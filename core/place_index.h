// Whether something exists at many places, asked in one check over the whole list: each folder
// is read once and the names are looked up in what was read. Asking the file system name by name
// costs a read of the whole folder for every free name on some systems (Wine among them), which
// makes a check of a large folder quadratic.
#pragma once

#include <map>
#include <string>
#include <unordered_set>

class PlaceIndex {
  public:
    // The answer of platform::PathExists for a path in slash form, as the folders were when they
    // were first read.
    bool Exists(const std::string& slashPath);
    // The same for a name of the program's own temporary form, answered from the folder's listing
    // of long names: such a name is only ever there as a file's own name. (A short-name alias
    // that happens to match is still never replaced: the move onto it fails.)
    bool HoldsTemporaryName(const std::string& slashPath);

  private:
    // The folder's entry, read on first use; nullptr when it cannot be read.
    const std::unordered_set<std::string>* Keys(const std::string& folderPath);

    struct Folder {
        bool read = false;
        std::unordered_set<std::string> keys;
    };
    std::map<std::string, Folder> folders;
};
