// The journal of a rename pass, kept beside varnel.ini while the pass runs, so that a pass cut
// short (a crash, a kill, a power cut) can be put back at the next start.
//
// Before the first move the plan is written and forced to disk: every move of the first stage
// (current path to its temporary name) and of the second (each entry's path then to its target,
// with the temporary name a change of letter case alone may need on the way). When the first
// stage is complete, a mark saying so is forced too. Everything else is read from the disk: every
// temporary name is chosen before the plan is written, is unique to the pass and is never
// created except by its move, so which of a move's two paths exists tells whether it was made.
//
// The file: "VRNLJNL1", then records, each a 4-byte length, that many bytes, and their CRC-32;
// a record that is not whole or whose sum is wrong ends the journal (a crash came while writing
// it). Numbers are little-endian; paths are their exact bytes (cp932, slash form), each after its
// 4-byte length, and the moved item's identity on the volume after them, so that a file that
// replaced it since is not taken for it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/journal_file.h"

namespace journal {
struct PutBackDone;
}

struct PlannedMove {
    std::string from;
    std::string to;
    // The temporary name for a change of letter case alone, empty for any other move.
    std::string detour;
    // The moved item's platform::FileIdentity before the pass; empty when unknown.
    std::string identity;
    bool operator==(const PlannedMove& o) const {
        return from == o.from && to == o.to && detour == o.detour && identity == o.identity;
    }
};

struct PassPlan {
    std::vector<PlannedMove> aside;    // the first stage, in order
    std::vector<PlannedMove> renames;  // the second stage, in order
    bool operator==(const PassPlan& o) const { return aside == o.aside && renames == o.renames; }
};

namespace journal {

// How many passes may hold a journal in one folder at once (Varnel with SingleApp off).
constexpr unsigned kSlots = 8;
// The journal names beside varnel.ini: "varnel.journal", "varnel2.journal", ...
std::string FileName(unsigned slot);

std::string EncodeHeader();

// A plan's record made move by move, every move of the first stage before any of the second: a
// pass keeps its plan once, as the bytes the journal and the history hold.
class PlanRecord {
  public:
    PlanRecord();
    // Room for moves of this many bytes of paths in all, made at once: a plan of many thousands
    // of moves would otherwise grow by doubling.
    void Reserve(std::size_t moves, std::size_t pathBytes);
    void Aside(const std::string& from, const std::string& to, const std::string& identity);
    void Rename(const std::string& from, const std::string& to, const std::string& detour,
                const std::string& identity);
    bool Empty() const { return asides == 0 && renames == 0; }
    // The whole record; the object is spent. With secondStageBegun the record says so itself (an
    // undo): no crash can leave its plan without the mark.
    std::string Finish(bool secondStageBegun = false);

  private:
    std::string bytes;
    std::uint32_t asides = 0;
    std::uint32_t renames = 0;
};

std::string EncodePlan(const PassPlan& plan, bool secondStageBegun = false);
// The size of the whole plan record at `at` (its length, body and a sum that is right), 0 when
// there is none.
std::size_t WholePlanRecord(const std::string& bytes, std::size_t at);
std::string EncodeSecondStage();
// The record after an undo's plan that names the pass of the history it undoes.
std::string EncodeUndoOf(char kind, std::int64_t ended);

// What a journal's bytes hold, as far as they are whole. *secondStage only with a plan.
struct Contents {
    bool hasPlan = false;
    bool secondStage = false;
    bool undo = false;  // the plan is a pass's from the history, being undone
    // That pass's kind and end, where the journal names it (0 when it does not).
    char undoOfKind = 0;
    std::int64_t undoOfEnded = 0;
    PassPlan plan;
    std::size_t wholeBytes = 0;  // the bytes of the header and the whole records read
};
Contents Decode(const std::string& bytes);

}  // namespace journal

// The journal a running pass writes. Without a folder (no AppPaths) there is none.
class PassJournal {
  public:
    PassJournal() = default;
    ~PassJournal();
    PassJournal(const PassJournal&) = delete;
    PassJournal& operator=(const PassJournal&) = delete;

    // Creates a journal in the first free slot after those in use beside the INI file and forces
    // the plan into it.
    // False when none could be made or written (the partial one is removed then).
    bool Begin(const std::string& folderSlash, const PassPlan& plan, bool secondStageBegun = false);
    // The same with the plan's record made already.
    bool Begin(const std::string& folderSlash, const std::string& planRecord);
    // The first stage is complete. False when that could not be forced.
    bool SecondStage();
    // The pass has ended: the journal is removed.
    void End();
    bool IsOpen() const { return file.IsOpen(); }

  private:
    platform::JournalFile file;
};

// A journal left behind in the folder by a pass that was cut short, held while it is looked at.
class LeftJournal {
  public:
    LeftJournal() = default;
    ~LeftJournal();
    LeftJournal(const LeftJournal&) = delete;
    LeftJournal& operator=(const LeftJournal&) = delete;

    // Takes the journal in the slot unless it is missing or a running pass holds it. A journal
    // without a whole plan was cut short before any file moved: it is removed on the way.
    bool Open(const std::string& folderSlash, unsigned slot);
    const journal::Contents& What() const { return contents; }
    unsigned Slot() const { return slotNumber; }
    std::int64_t Begun() const { return begun; }
    // Puts the files back; the journal is removed when all are back, else kept.
    bool PutBack(std::vector<std::string>* leftAlone,
                 const std::function<void(unsigned, unsigned)>& progress = nullptr,
                 journal::PutBackDone* done = nullptr);
    // Leaves every file as it is now and removes the journal: the user keeps the new names.
    bool Forget();

  private:
    platform::JournalFile file;
    journal::Contents contents;
    unsigned slotNumber = 0;
    std::int64_t begun = 0;
};

// Every journal left in the folder, held, the newest first: a later pass may have moved files of
// an earlier one, and putting the earlier back first would take their places. (All are held
// while the first is offered, so no other copy takes one meanwhile.)
std::vector<std::unique_ptr<LeftJournal>> OpenLeftJournals(const std::string& folderSlash);
