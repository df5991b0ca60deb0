// What the rename list asks of the file system. Paths are cp932 in slash form ("D:/a/b.txt");
// each platform converts them exactly to its own encoding and refuses what does not convert.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/key_hash.h"

namespace platform {

enum class MoveResult {
    Done,
    NotFound,      // the source (or a folder on the way) is not there
    AccessDenied,  // refused: the target exists, the item is locked or protected
    InvalidName,   // the name cannot be used or cannot be written exactly
    Other,
};

// True where a path rooted without a drive ("\a\b") resolves against whatever drive is
// current (Windows); on POSIX such a path is the full path.
bool RootsNeedADrive();

// Renames a file or folder. Never replaces an existing target.
MoveResult MovePath(const std::string& from, const std::string& to);
// The pause before a refused move is tried again. (The native tests' file system, told to fail
// moves on purpose, does not wait.)
void PauseBeforeRetry(unsigned milliseconds);

// True when something exists at the path, and also when the path cannot be asked about (a name
// that does not convert exactly), so that callers never take an unknown place as free.
bool PathExists(const std::string& path);

// True when the path names a folder; false when its attributes cannot be read.
bool IsDirectory(const std::string& path);

// Bytes that name the item itself rather than its name (its volume and file number), the same
// after any rename; empty when they cannot be had.
std::string FileIdentity(const std::string& path);
// The item at the path is the one whose FileIdentity was taken, judged by what its volume keeps
// across a rename: SD cards (FAT, exFAT) renumber an item whose name changes, and Wine gives the
// last write as a creation time. An item on a volume that keeps neither is never known.
bool HoldsItem(const std::string& path, const std::string& identity);
// The same for an identity read already (from the item at `path`, or its folder's listing).
bool SameItem(const std::string& now, const std::string& recorded, const std::string& path);

// The name the file system holds for the item at the path, in its stored letter case; the empty
// string when there is none or it has no exact cp932 form.
std::string NameOnDisk(const std::string& path);

// The key under which Windows takes two names or paths for one: letters folded as the file
// system folds them ("X" and "x", "Ａ" and "ａ"). Text without an exact form keeps its bytes,
// marked, so that it never meets a converted one. The same on every platform, so that a list is
// checked natively as it will be on Windows.
std::string CaseFoldKey(const std::string& text);

// For asking about many names at once (see PlaceIndex): the key under which the file system
// finds a name, with letters folded where it ignores their case; empty for a name that only the
// file system itself can answer for (short-name forms, trailing dots or blanks; device names are
// the caller's to know).
std::string NameKey(const std::string& name);
// The key a name has in a folder's listing, for any name that converts; empty when it does not.
std::string ListedNameKey(const std::string& name);
// The KeyHash of every name's key in a folder given with its closing slash ("D:/a/"); false when
// the folder cannot be read. With `identities`, also each item's FileIdentity as the same read
// gives it, by hash (empty for a hash two names share); where the system gives none, the map
// stays empty.
using KeyHashes = std::unordered_set<std::uint64_t, SameHash>;
using IdentitiesByHash = std::unordered_map<std::uint64_t, std::string, SameHash>;
bool FolderNameKeys(const std::string& folder, KeyHashes* keys,
                    IdentitiesByHash* identities = nullptr);
// The ExactNameHash of every file and of every folder in a folder given with its closing slash,
// each sorted; an item the read cannot tell (a link on POSIX) is in neither. False when the
// folder cannot be read.
bool FolderItemKinds(const std::string& folder, std::vector<std::uint64_t>* files,
                     std::vector<std::uint64_t>* folders);
// A hash of the name exactly as the system spells it (no letter case folded); false when the name
// does not convert.
bool ExactNameHash(const std::string& name, std::uint64_t* hash);

}  // namespace platform
