// Whether something exists at many places, asked in one check over the whole list: each folder
// is read once and the names are looked up in what was read. Asking the file system name by name
// costs a read of the whole folder for every free name on some systems (Wine among them), which
// makes a check of a large folder quadratic.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

class PlaceIndex {
  public:
    // With `identities`, each folder's read also takes the identities Identity gives (a pass's
    // journal needs them; a check alone does not).
    explicit PlaceIndex(bool identities = false) : withIdentities(identities) {}
    // The answer of platform::PathExists for a path in slash form, as the folders were when they
    // were first read.
    bool Exists(const std::string& slashPath);
    // The same for a name of the program's own temporary form, answered from the folder's listing
    // of long names: such a name is only ever there as a file's own name. (A short-name alias
    // that happens to match is still never replaced: the move onto it fails.)
    bool HoldsTemporaryName(const std::string& slashPath);
    // platform::FileIdentity of the item at the path, from the folder's listing where that gives
    // it: trusted once the first item asked about in the folder has the same by its own look
    // (file systems without stable numbers give other ones there); else by the item's own look.
    std::string Identity(const std::string& slashPath);

    // The same identity where the folder's listing has the name, without the file system's word
    // that it is there: a caller that compares it with an item's own needs none. False when the
    // listing has no such name.
    bool IdentityIfListed(const std::string& slashPath, std::string* identity);

    // Whether the item at the path is on disk under this very spelling, letter case included, as
    // the folder was when a spelling in it was first asked: one read of the folder for all its
    // names, where asking the file system costs a read for each.
    bool SpelledSo(const std::string& slashPath);

  private:
    struct Folder {
        bool read = false;
        // Hashes of the keys, not the keys: a folder of many thousands stays small. A hash found
        // is settled by the file system where the answer matters.
        platform::KeyHashes keys;
        platform::IdentitiesByHash identities;
        int trusted = -1;  // unknown until the first item is asked about
    };
    // The folder's entry, read on first use; nullptr when it cannot be read.
    Folder* Read(const std::string& folderPath);
    // The listing a path's name is looked up in, with the hash of its key; nullptr where only the
    // file system can answer.
    const Folder* ListingOf(const std::string& slashPath, std::uint64_t* keyHash);
    std::map<std::string, Folder> folders;
    struct Spellings {
        bool read = false;
        std::vector<std::uint64_t> files;  // sorted hashes of the names exactly as listed
        std::vector<std::uint64_t> folders;
    };
    std::map<std::string, Spellings> spellings;
    bool withIdentities;
};
