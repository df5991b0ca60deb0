// What went out is the proof of what came back: the rows whose name read back may be the
// editor's and not the user's.
#pragma once

#include <string>
#include <vector>

struct SuspectRow {
    unsigned row;  // from 0
    std::string exported;
    std::string read;
};

// Each line against the one that went out in its place (both held text, `lines` one per entry).
// A line that reads back as it went out is never a change. A changed one is suspect when it went
// out holding characters cp932 cannot hold and came back through cp932 (the editor saved "ANSI",
// putting look-alikes or "?" in their place), when it holds U+FFFD and went out without (the
// editor could not read what was there), or, from a cp932 export read back as Unicode, when it
// holds the JIS table's reading of a cp932 character the line that went out had (〜 for ～).
std::vector<SuspectRow> SuspectRows(const std::string& exportedNames, bool exportedAsUnicode,
                                    bool readThroughCp932, const std::vector<std::string>& lines);
