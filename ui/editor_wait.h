// The names out to the IO file and into the editing tool.
#pragma once

#include "core/rename_entry.h"

struct AppContext;

// The names to the IO file, then, as the settings say, the tool on it, the wait for its window
// and the import. 1 only when the file could not be written.
int ExportAndOpen(AppContext* c, NameKind kind);
// The tool on the IO file without waiting; 0 when it was started.
int OpenTool(AppContext* c);
