// The passes of the last runs, kept beside varnel.ini so that a batch can be undone after Varnel
// was closed: when each pass ended, whether it was a rename or a restore, and its plan as the
// journal held it (every move with the item's identity on its volume).
//
// The file "varnel.history": "VRNLHIS1", then one entry per pass, oldest first: its kind (one
// byte: 'R' rename, 'T' restore, 'F' a cut-short pass whose names were kept), whether it was
// undone (one byte: 0 no, 1 every item is back, 2 some came back and the rest may be undone
// again), when it ended (8 bytes, seconds since 1970, little-endian), then its
// plan as a journal record (4-byte length, the bytes, their CRC-32). A broken entry ends the file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/journal_recovery.h"
#include "core/pass_journal.h"

// What a pass was, as the byte the history file holds for it.
enum class PassKind : char { Rename = 'R', Restore = 'T', Kept = 'F' };

struct PassRecord {
    PassKind kind = PassKind::Rename;
    bool undone = false;  // every item is back: nothing is left to undo
    std::int64_t ended = 0;
    PassPlan plan;
    bool partlyUndone = false;  // some items came back; the others may still be
};

namespace history {

// The last passes kept, and at most this many bytes of them (the newest is always kept): a pass
// over 100,000 files takes some 15 MB, and the file is read and written again at every pass.
constexpr std::size_t kKept = 20;
constexpr std::size_t kMostBytes = 64u << 20;
constexpr char kFileName[] = "varnel.history";
// Held by the copy that reads and writes the history; it stays beside it.
constexpr char kLockFileName[] = "varnel.history.lock";

std::string Encode(const std::vector<PassRecord>& records);
std::vector<PassRecord> Decode(const std::string& bytes);

// Empty when there is none (or it cannot be read).
std::vector<PassRecord> Load(const std::string& folderSlash);
// Adds the pass and keeps the last kKept within kMostBytes. False when the file could not be
// written.
bool Add(const std::string& folderSlash, const PassRecord& record);
// The same for a pass whose plan is its record as journal::PlanRecord made it.
bool Add(const std::string& folderSlash, PassKind kind, bool undone, std::int64_t ended,
         const std::string& planRecord);

// The items one record moved, each as the pass left it and as it was before.
struct ItemPaths {
    std::string before;
    std::string after;
};
std::vector<ItemPaths> ItemsOf(const PassPlan& plan);

struct Undone {
    std::vector<ItemPaths> back;               // moved back to their names before the pass
    std::vector<journal::LeftItem> leftAlone;  // where they are, and why they stayed
};
enum class UndoResult { Done, AlreadyUndone, NoJournal };
// Undoes the pass `chosen` (as loaded; found again in the file, which another copy of Varnel may
// have changed since) as a cut-short pass is put back, under the same journal: each item only
// where the disk shows the item itself at the name the pass gave it, never over an existing file,
// the last move first. The record is marked by what came back: undone when every item is back,
// partly when some came back. Nothing moves unless Done. `progress` hears of each move looked at.
UndoResult Undo(const std::string& folderSlash, const PassRecord& chosen, Undone* undone,
                const std::function<void(unsigned, unsigned)>& progress = nullptr);
// A start has put back (or kept as they are) the items of an undo cut short: the pass it undid
// is marked as Undo would have marked it.
void MarkUndoFinished(const std::string& folderSlash, const journal::Contents& undo,
                      const journal::PutBackDone& done);

// The plan of a pass cut short, as far as it moved: only the items `states` (its journal's
// review) found at one of the places it gave them, so that a pass kept as 'F' counts what the
// names kept are; with the moves to their new names of the items `givenNewNames` (by first
// path) that journal::MoveOffTemporaryNames made for a pass cut in its first stage.
PassPlan MovedPart(const journal::Contents& contents, const std::vector<journal::ItemState>& states,
                   const std::vector<std::string>& givenNewNames = {});

// What the history dialog shows of a pass: when it ended (local time), what it was (marked when
// undone), how many items it moved, and their first folder with how many others.
struct PassSummary {
    std::string when;
    std::string kind;
    std::string count;
    std::string folder;
};
PassSummary SummaryOf(const PassRecord& record);

// The undo's account for the user: how many came back, and the first few left alone by name.
std::string UndoReport(const Undone& undone);

}  // namespace history
