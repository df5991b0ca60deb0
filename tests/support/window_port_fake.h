// The main window as the tests see it: the rows the list asked for, the selection the test set,
// the command states the list chose.
#pragma once

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "core/window_port.h"

struct FakeWindow {
    unsigned rows = 0;
    std::vector<unsigned> writes;
    std::set<unsigned> selected;
    std::map<int, bool> grayed;
    // Each report of long work: what, how many done, of how many.
    struct Progress {
        Work work;
        unsigned done;
        unsigned total;
    };
    std::vector<Progress> progress;
};

FakeWindow& TheFakeWindow();
// The owner the list's messages get is read from here (a test's context.mainWindow), so that a
// test may change it; none when null.
void SetFakeOwner(const WindowHandle* owner);
void ResetFakeWindow();
