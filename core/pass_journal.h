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

#include <functional>
#include <string>
#include <vector>

#include "platform/journal_file.h"

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
// With secondStageBegun the record says so itself (an undo): no crash can leave its plan without
// the mark.
std::string EncodePlan(const PassPlan& plan, bool secondStageBegun = false);
std::string EncodeSecondStage();

// What a journal's bytes hold, as far as they are whole. *secondStage only with a plan.
struct Contents {
    bool hasPlan = false;
    bool secondStage = false;
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

    // Creates a journal in the first free slot beside the INI file and forces the plan into it.
    // False when none could be made or written (the partial one is removed then).
    bool Begin(const std::string& folderSlash, const PassPlan& plan, bool secondStageBegun = false);
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
    // Puts the files back; the journal is removed when all are back, else kept.
    bool PutBack(std::vector<std::string>* leftAlone,
                 const std::function<void(unsigned, unsigned)>& progress = nullptr);
    // Leaves every file as it is now and removes the journal: the user keeps the new names.
    bool Forget();

  private:
    platform::JournalFile file;
    journal::Contents contents;
};
