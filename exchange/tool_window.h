// Which of the tool process's top-level windows is its main window. Every GUI thread also owns
// hidden top-level windows (the input method's, for one) that the enumeration returns as well,
// and placing one of those moves nothing the user sees.
#pragma once

#include <vector>

struct TopLevelWindowFacts {
    bool ofProcess;  // belongs to the started process
    bool visible;
    bool owned;  // has an owner window (a dialog or a palette of another window)
};

// The index of the first visible window without owner of the process, in the system's order;
// failing that the first window of the process; -1 when the process has none.
int ChooseToolWindow(const std::vector<TopLevelWindowFacts>& windows);
