// Feeds torn and garbled journals to the reader and to the recovery, over a file system held in
// memory whose files have identities. Besides crashes, it checks what recovery promises: a
// journal reads back exactly as written as far as it is whole, and no file is ever moved that the
// journal does not name, nor onto an existing one, nor out of its folder as the file system sees
// it (whatever the held bytes hide), nor one whose identity no move of the journal records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/journal_recovery.h"
#include "core/pass_journal.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace {

// Path -> the identity of the file there.
std::map<std::string, std::string> disk;
std::set<std::string> named;
std::set<std::string> identities;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The folder as the file system sees it: held bytes could hide a separator in an escape.
std::string NativeFolderOf(const std::string& path) {
    std::string native;
    Check(platform::ToNative(path, &native));
    const std::size_t slash = native.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : native.substr(0, slash);
}

// A plan made of the input's pieces, so that the fuzzer reaches past the checksums.
PassPlan PlanFrom(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == '|') {
            pieces.emplace_back();
        } else if (c == '#' || c == '$') {
            // An escape of "/" or "\\", which no conversion makes: a separator in hiding.
            platform::AppendEscape(&pieces.back(), c == '#' ? '/' : '\\');
        } else {
            pieces.back() += c;
        }
    }
    PassPlan plan;
    for (std::size_t i = 0; i + 3 < pieces.size(); i += 4) {
        std::vector<PlannedMove>& moves = (i / 4) % 2 ? plan.renames : plan.aside;
        moves.push_back({pieces[i], pieces[i + 1], pieces[i + 2], pieces[i + 3]});
    }
    return plan;
}

}  // namespace

namespace platform {

MoveResult MovePath(const std::string& from, const std::string& to) {
    Check(named.count(from) != 0 && named.count(to) != 0);
    Check(!NativeFolderOf(from).empty() && NativeFolderOf(from) == NativeFolderOf(to));
    const auto found = disk.find(from);
    if (found == disk.end()) {
        return MoveResult::NotFound;
    }
    if (disk.count(to) != 0) {
        return MoveResult::AccessDenied;
    }
    Check(identities.count(found->second) != 0);
    const std::string identity = found->second;
    disk.erase(found);
    disk.emplace(to, identity);
    return MoveResult::Done;
}

bool PathExists(const std::string& path) {
    return disk.count(path) != 0;
}

bool IsDirectory(const std::string&) {
    return false;
}

std::string FileIdentity(const std::string& path) {
    const auto found = disk.find(path);
    return found == disk.end() ? "" : found->second;
}

bool HoldsItem(const std::string& path, const std::string& identity) {
    return !identity.empty() && FileIdentity(path) == identity;
}

bool SameItem(const std::string& now, const std::string& recorded, const std::string&) {
    return !recorded.empty() && now == recorded;
}

void PauseBeforeRetry(unsigned) {}

bool RootsNeedADrive() {
    return false;
}
std::string CaseFoldKey(const std::string& text) {
    return text;
}
std::string NameKey(const std::string& name) {
    return name;
}
std::string ListedNameKey(const std::string& name) {
    return name;
}
bool FolderNameKeys(const std::string&, KeyHashes*, IdentitiesByHash*) {
    return false;
}
bool FolderItemKinds(const std::string&, std::vector<std::uint64_t>*, std::vector<std::uint64_t>*) {
    return false;
}
bool ExactNameHash(const std::string&, std::uint64_t*) {
    return false;
}

std::string NameOnDisk(const std::string& path) {
    if (disk.count(path) == 0) {
        return "";
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The recovery's file is not touched here.
JournalOpen CreateJournal(const std::string&, JournalFile*) {
    return JournalOpen::Failed;
}
JournalOpen OpenJournal(const std::string&, JournalFile*) {
    return JournalOpen::Failed;
}
bool AppendToJournal(JournalFile*, const std::string&) {
    return false;
}
bool ForceJournal(JournalFile*) {
    return false;
}
bool ReadJournal(JournalFile*, std::string*) {
    return false;
}
bool RemoveJournal(JournalFile*) {
    return false;
}
void CloseJournal(JournalFile*) {}
std::int64_t JournalBegun(const JournalFile*) {
    return 0;
}

}  // namespace platform

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::string bytes = input;
    if (data[0] & 1) {
        // A whole journal, then cut short or with a byte changed.
        bytes = journal::EncodeHeader() + journal::EncodePlan(PlanFrom(input)) +
                journal::EncodeSecondStage();
        const std::size_t at = data[1] * bytes.size() / 256;
        if (data[0] & 2) {
            bytes.resize(at);
        } else if (data[0] & 4) {
            bytes[at] = static_cast<char>(bytes[at] ^ data[0]);
        }
    }
    const journal::Contents contents = journal::Decode(bytes);
    Check(contents.wholeBytes <= bytes.size());
    Check(contents.hasPlan || !contents.secondStage);
    if (contents.hasPlan) {
        // What was read is exactly what those bytes were written from.
        const std::string again =
            journal::EncodeHeader() + journal::EncodePlan(contents.plan) +
            (contents.secondStage ? journal::EncodeSecondStage() : std::string());
        Check(again == bytes.substr(0, contents.wholeBytes));
    }
    // Some of the named paths hold a file, as the input says, and a file no journal names.
    // Each file there has the identity of one of the moves, or one of its own.
    named.clear();
    disk.clear();
    identities.clear();
    std::size_t bit = 0;
    for (const auto* moves : {&contents.plan.aside, &contents.plan.renames}) {
        for (const PlannedMove& move : *moves) {
            if (!move.identity.empty()) {
                identities.insert(move.identity);
            }
            for (const std::string* path : {&move.from, &move.to, &move.detour}) {
                named.insert(*path);
                if (data[1] >> (bit++ % 8) & 1) {
                    disk.emplace(*path, bit % 3 ? move.identity : "other");
                }
            }
        }
    }
    identities.erase("other");
    const bool outsider = named.count("unnamed") == 0;
    if (outsider) {
        disk.emplace("unnamed", "other");
    }
    const std::size_t files = disk.size();
    // Looking moves nothing.
    const std::map<std::string, std::string> seen = disk;
    journal::Review(contents);
    Check(disk == seen);
    std::vector<std::string> leftAlone;
    journal::PutBack(contents, &leftAlone);
    Check(disk.size() == files && (!outsider || disk.count("unnamed") == 1));
    return 0;
}
