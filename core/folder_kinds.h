// Whether the items of one road of adding are folders. A drop of many files asks about each, and
// asking the file system item by item costs more than reading their folder once: a folder is read
// when many of the road's paths lie in it, and its names are looked up in what was read. A name
// the read cannot answer for is asked of the file system itself.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class FolderKinds {
  public:
    // The same answer as IsFolderPath for a full path in the program's form.
    bool IsFolder(const std::string& fullPath);

  private:
    struct Listing {
        unsigned asked = 0;
        bool read = false;
        std::vector<std::uint64_t> files;
        std::vector<std::uint64_t> folders;
    };
    std::unordered_map<std::string, Listing> listings;
    // The folder asked about last: a road brings its paths folder by folder.
    std::string lastFolder;
    Listing* last = nullptr;
};
