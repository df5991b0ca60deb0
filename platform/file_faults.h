// Faults on purpose, for the native tests only: the POSIX file system can be told to fail the k-th
// move, or to end the process at the k-th operation as a crash would. The exe has no such thing.
#pragma once

#include "platform/file_system.h"

namespace platform {
namespace faults {

// Counting starts anew. The moves counted from 0: the one numbered `move`, and the `count` - 1
// after it, fail with `result` and change nothing.
void FailMove(unsigned move, MoveResult result, unsigned count = 1);
// Counting starts anew. The operations (moves, journal writes and the journal's removal) counted
// from 0: at the one numbered `operation` the process ends at once with exit code kCrashCode, a
// journal write then having written only its first half.
void CrashAt(unsigned operation);
// Moves that change the letter case of ASCII letters alone report Done and change nothing, as
// Wine and some network drives do. Clear ends it.
void IgnoreCaseChanges();
// The file system of an SD card: an item's number changes when its name does (FAT and exFAT
// number an item by its directory entry). Clear ends it.
void RenumberOnRename();
// A file system without birth times: an item's creation time is its last write, as under Wine.
// Clear ends it.
void NoBirthTimes();
// No faults, counting from 0 again.
void Clear();
// Operations since the last call above.
unsigned Operations();

constexpr int kCrashCode = 86;

// For the POSIX seams: counts an operation and says whether it is to crash there. Moves also ask
// MoveFails.
bool CrashesHere();
bool MoveFails(MoveResult* result);
// Moves are told to fail: the pauses between tries are not waited.
bool FailsMoves();
bool IgnoresCaseChanges();
bool RenumbersOnRename();
bool HasNoBirthTimes();

}  // namespace faults
}  // namespace platform
