// What the user's settings decide for the list. The list's owner reads them and hands them in as
// values whenever the list asks, so a change on the settings sheet counts at once.
#pragma once

struct ListRules {
    bool wholeNamesShown = false;   // extensions shown and edited too (UseExtension at start-up)
    bool sayListedAgain = true;     // adding a path listed already says so (DlgItsNotNewPath)
    bool refuseNested = true;       // no folder with a listed item in or above it (DlgAddErrPath)
    bool checkPastedNames = false;  // a pasted name must be a valid name (DlgFNisWrong)
};
