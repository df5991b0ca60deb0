// What a journal left behind holds for the user, and putting its files back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/pass_journal.h"

namespace journal {

// Where each item the journal names is now, for the user to see before anything moves. Only a
// move a real pass makes is trusted: in one folder, aside only to one of the pass's temporary
// names, with the item's identity recorded; the item is known by that identity alone.
struct ItemState {
    enum class Where {
        Back,     // at its path before the pass
        Moved,    // at `now`, one of the places the pass gave it
        Gone,     // at none of them, or changed since (another file with its number)
        Foreign,  // named by moves no pass of this program makes: never touched
    };
    std::string firstPath;
    std::string now;
    Where where = Where::Gone;
};
// `progress`, when given, hears of each item looked at.
std::vector<ItemState> Review(const Contents& contents,
                              const std::function<void(unsigned, unsigned)>& progress = nullptr);

// An item a put-back left where it is, where that is, and why.
struct LeftItem {
    enum class Why {
        Gone,       // at none of the places the pass gave it, or changed since
        NameTaken,  // its name before the pass is another item's now
        InUse,      // another program held it, or the way, longer than the retries wait
        NotMoved,   // the system refused its move for another reason
        // Put where it was before, as the others of its rotation or chain, one of which could
        // not move: none of them is left at a temporary name.
        WithAnother,
        Foreign,  // named by moves no pass of this program makes: never touched
    };
    std::string firstPath;
    std::string now;  // empty when Gone or Foreign
    Why why = Why::Gone;
};
// Before a journal is forgotten (the user keeps the names as they are): each item at one of its
// temporary names goes to its name before the pass, or the one the pass gave it, where free. The
// first paths of the items given the pass's name, which a pass cut before its second stage had
// not given them: the pass kept must know of that move.
std::vector<std::string> MoveOffTemporaryNames(const Contents& contents);

// One line for the user: the item by its path before the pass, its name now, and why it stayed.
std::string ShownLeft(const LeftItem& item);

// What a put-back did, beyond the items it left alone.
struct PutBackDone {
    // The items this put-back moved back itself (each one's path before the pass); an item that
    // was back already is not among them.
    std::vector<std::string> movedBack;
    // Some item is still at one of the pass's temporary names: the journal must stay.
    bool leftAside = false;
    // The items left, in the order of *leftAlone, and how many items the plan has.
    std::vector<LeftItem> left;
    std::size_t items = 0;
};

// Moves every trusted item back to the path it had before the pass: the moves are undone, the
// last first, each only where the disk shows the item itself at its target, and never over an
// existing file. An item the undo could not finish is not left at a temporary name: it goes on to
// where the pass had put it when that is free. The items not back are added to *leftAlone (each
// one's path before the pass). True when every item is back. `progress`, when given, hears of
// each move looked at, then of each item checked.
bool PutBack(const Contents& contents, std::vector<std::string>* leftAlone,
             const std::function<void(unsigned, unsigned)>& progress = nullptr,
             PutBackDone* done = nullptr);

}  // namespace journal
