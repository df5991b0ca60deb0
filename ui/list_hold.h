// Keeping the list still while work that walks it is under way. Commands and the wait for the
// editing tool run modal loops (message boxes, the wait dialog) that dispatch messages, so paths
// handed over or dropped meanwhile must not reach the list at once: they are kept here, in the
// order they came, and added when the outermost work has ended.
#pragma once

#include <string>

// Scopes that nest, such as a follow-up command inside the command that sent it: only the
// outermost start and end count.
class Nesting {
  public:
    // True when this starts the outermost scope.
    bool Enter() { return depth++ == 0; }
    // True when this ends the outermost scope.
    bool Leave() { return depth > 0 && --depth == 0; }
    bool Inside() const { return depth > 0; }

  private:
    int depth = 0;
};

class ListHold {
  public:
    void Enter() { work.Enter(); }
    // True when nothing holds the list any more.
    bool Leave() { return work.Leave(); }
    bool Held() const { return work.Inside(); }

    // While the names are out in the tool, the lines that come back are taken by position: nothing
    // may add, remove or re-order entries then, not even between the holds of single commands.
    void SetNamesOut(bool out) { namesOut = out; }
    bool NamesOut() const { return namesOut; }

    void Keep(const std::string& path) {
        kept += path;
        kept += '\0';
    }
    // The kept paths, oldest first, each ended by a NUL, leaving none behind; nothing while the
    // list is held or the names are out. (One block: a drop of many thousands of paths leaves no
    // small pieces behind in the heap.)
    std::string TakeKept();

  private:
    Nesting work;
    bool namesOut = false;
    std::string kept;
};
