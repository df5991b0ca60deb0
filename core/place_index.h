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

  private:
    struct Folder {
        bool read = false;
        std::unordered_set<std::string> keys;
    };
    std::map<std::string, Folder> folders;
};
