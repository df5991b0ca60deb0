#include "core/place_index.h"

#include <algorithm>

#include "core/name_rules.h"
#include "core/path_name.h"
#include "core/temporary_names.h"
#include "platform/file_system.h"
#include "platform/text.h"

const PlaceIndex::Folder* PlaceIndex::ListingOf(const std::string& slashPath,
                                                std::uint64_t* keyHash) {
    const std::string folderPath = SlashFolder(slashPath);
    const std::string name = SlashName(slashPath);
    // A name of the program's temporary form is only ever there as a file's own long name (the
    // file system refuses to make one that is another's short name), so the listing answers.
    const std::string key =
        IsTemporaryName(name) ? platform::ListedNameKey(name) : platform::NameKey(name);
    // A device is in no folder's listing.
    if (folderPath.empty() || key.empty() || IsDeviceName(name)) {
        return nullptr;
    }
    *keyHash = platform::KeyHash(key);
    return Read(folderPath);
}

bool PlaceIndex::Exists(const std::string& slashPath) {
    std::uint64_t hash = 0;
    const Folder* folder = ListingOf(slashPath, &hash);
    // Only a hash found needs the file system's own answer, and then the pass stops anyway.
    return folder == nullptr || folder->keys.count(hash) != 0 ? platform::PathExists(slashPath)
                                                              : false;
}

bool PlaceIndex::HoldsTemporaryName(const std::string& slashPath) {
    const std::string folderPath = SlashFolder(slashPath);
    const Folder* folder = folderPath.empty() ? nullptr : Read(folderPath);
    // A hash another name shares only passes over one more candidate.
    return folder ? folder->keys.count(
                        platform::KeyHash(platform::ListedNameKey(SlashName(slashPath)))) != 0
                  : platform::PathExists(slashPath);
}

bool PlaceIndex::IdentityIfListed(const std::string& slashPath, std::string* identity) {
    std::uint64_t hash = 0;
    const Folder* folder = ListingOf(slashPath, &hash);
    if (folder == nullptr ? !platform::PathExists(slashPath) : folder->keys.count(hash) == 0) {
        return false;
    }
    *identity = Identity(slashPath);
    return true;
}

bool PlaceIndex::SpelledSo(const std::string& slashPath) {
    const std::string folderPath = SlashFolder(slashPath);
    std::uint64_t hash = 0;
    Spellings* listed = nullptr;
    if (!folderPath.empty() && platform::ExactNameHash(SlashName(slashPath), &hash)) {
        listed = &spellings[folderPath];
        if (!listed->read) {
            listed->read = platform::FolderItemKinds(folderPath, &listed->files, &listed->folders);
        }
    }
    if (listed != nullptr && listed->read) {
        return std::binary_search(listed->files.begin(), listed->files.end(), hash) ||
               std::binary_search(listed->folders.begin(), listed->folders.end(), hash);
    }
    const std::string onDisk = platform::NameOnDisk(slashPath);
    return !onDisk.empty() && onDisk == platform::StoredForm(SlashName(slashPath));
}

PlaceIndex::Folder* PlaceIndex::Read(const std::string& folderPath) {
    auto found = folders.find(folderPath);
    if (found == folders.end()) {
        found = folders.emplace(folderPath, Folder()).first;
        found->second.read = platform::FolderNameKeys(
            folderPath, &found->second.keys, withIdentities ? &found->second.identities : nullptr);
    }
    return found->second.read ? &found->second : nullptr;
}

std::string PlaceIndex::Identity(const std::string& slashPath) {
    const std::string folderPath = SlashFolder(slashPath);
    Folder* folder = folderPath.empty() ? nullptr : Read(folderPath);
    if (folder == nullptr || folder->trusted == 0) {
        return platform::FileIdentity(slashPath);
    }
    const auto listed =
        folder->identities.find(platform::KeyHash(platform::ListedNameKey(SlashName(slashPath))));
    if (listed == folder->identities.end() || listed->second.empty()) {
        return platform::FileIdentity(slashPath);
    }
    if (folder->trusted < 0) {
        std::string own = platform::FileIdentity(slashPath);
        folder->trusted = own == listed->second ? 1 : 0;
        return own;
    }
    return listed->second;
}
