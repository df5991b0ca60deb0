// The file a rename pass keeps its journal in. Paths are cp932 in slash form, converted exactly.
// The file is held without sharing for as long as it is open, so that another Varnel never takes
// the journal of a pass that still runs for one left behind.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct JournalFile {
    std::intptr_t handle = -1;
    std::string path;
    bool IsOpen() const { return handle != -1; }
};

enum class JournalOpen {
    Opened,
    Missing,  // no such file (Open), or one exists already (Create)
    Busy,     // another process holds it
    Failed,   // anything else: no rights, a bad name, the disk
};

// Makes a new file, never replacing one, and holds it.
JournalOpen CreateJournal(const std::string& path, JournalFile* file);
// Holds an existing file for reading and removing.
JournalOpen OpenJournal(const std::string& path, JournalFile* file);
// Writes the bytes at the end. False when not all of them were written.
bool AppendToJournal(JournalFile* file, const std::string& bytes);
// Waits until what was written is on the disk itself.
bool ForceJournal(JournalFile* file);
// The whole file from its beginning.
bool ReadJournal(JournalFile* file, std::string* bytes);
// Deletes the file and lets it go. False when it could not be deleted (it is let go then too).
bool RemoveJournal(JournalFile* file);
// Lets it go and keeps the file.
void CloseJournal(JournalFile* file);
// When the file was made, where the file system keeps that (a write or a touch since does not
// change it), else when it was last written; in units only compared with each other, 0 when
// unknown.
std::int64_t JournalBegun(const JournalFile* file);

}  // namespace platform
