// The few places the whole program works with: the executable (and so the INI file beside it),
// the IO file names are exchanged through, and the tool that opens it.
#pragma once

#include <string>

#include "core/path_name.h"

class SettingsStore;

class AppPaths {
  public:
    // Reports a missing executable path with a message and goes on from the current folder.
    AppPaths();
    // The same with the executable's path given (empty when it could not be had).
    explicit AppPaths(const std::string& executable);

    // The INI file beside the executable, in slash form: always "varnel.ini".
    std::string IniPath() const;
    // Its folder, in slash form, where the journals of passes are kept.
    std::string IniFolder() const;

    const PathName& ExecutablePath() const { return executablePath; }
    const std::string& ExecutableFolder() const { return executablePath.Folder(); }
    const PathName& IOFilePath() const { return ioFilePath; }
    // A path without a folder is taken as a name in the executable's folder.
    void SetIOFilePath(const std::string& fullPath);
    const std::string& ToolPath() const { return toolPath; }
    void SetToolPath(const std::string& text) { toolPath = text; }

  private:
    PathName executablePath;
    PathName ioFilePath;
    std::string toolPath;
};

// A path as varnel.ini holds it, in the held form: cp932 text read as its characters (a code the
// system never keeps becomes the one it keeps). False for a value that is no cp932 text (a raw
// 0xFF, a lead byte cut off at 255 bytes), which would name something else than the file says and
// is never put to use; the file keeps it for the user to see and mend in the settings.
bool IniPathToHeld(const std::string& stored, std::string* held);

// Registers every setting with its default, in the order the INI file is first written in.
int RegisterDefaultSettings(SettingsStore* settings, AppPaths* paths);
